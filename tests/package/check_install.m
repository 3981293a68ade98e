function check_install(tarball, scratch, mfiles)
% Installs the package TARBALL with its prefix and package lists in the folder SCRATCH,
% loads it, calls each module once with a known result and checks that the compiled module
% is what runs and that help prints the module's H1 line from MFILES/<module>.m.
prefix = fullfile(scratch, 'prefix');
pkg('prefix', prefix, prefix);
pkg('local_list', fullfile(scratch, 'local_packages'));
pkg('global_list', fullfile(scratch, 'global_packages'));
pkg('install', '-local', tarball);
pkg('load', 'mixfilt');

S = sparse([0 5 0 7; 2 0 0 0; 0 -1 0 0]);
%        module       inputs                                        expected outputs
calls = {'tallmix',   {magic(4), [1 3], [1 -1]},                    {[13; -5; 3; -11]};
         'widemix',   {[1 -1], magic(4), [1 3]},                    {[7 -5 -3 1]};
         'cscslice',  {S, 1},                                       {[5 7], [2 4]};
         'broadplus', {[1 2; 3 4], [10 20]},                        {[11 22; 13 24]};
         'latfilt',   {reshape(1:16, 4, 4), [1 1], [1 1; -1 1]},    {[15 7 15 23; 17 9 17 25; 19 11 19 27; 17 9 17 25]};
         'latfiltS',  {1:6, [1 1], [2 0; 0 2]},                     {[8 4 6 8 10 6]};
         'dilfilt',   {reshape(1:25, 5, 5), ones(2), [2 0; 0 2]},   {[52 72; 56 76]}};

mdir = pkg('list', 'mixfilt'){1}.dir;   % Contents.m, the demo; the modules lie in a folder of their own
failures = {};
for k = 1:rows(calls)
  [name, inputs, expected] = calls{k, :};
  % The compiled module, not the help text of the same name, must be what a call runs.
  found = which(name);
  if (!strncmp(found, prefix, numel(prefix)) || isempty(regexp(found, '\.mex$', 'once')))
    failures{end+1} = sprintf('%s resolves to %s, not to the compiled module', name, found);
  end
  try
    outputs = cell(1, numel(expected));
    [outputs{:}] = feval(name, inputs{:});
    if (!isequal(outputs, expected))
      failures{end+1} = sprintf('%s returned a wrong result', name);
    end
  catch err
    failures{end+1} = sprintf('%s failed: %s', name, err.message);
  end
  % help must print the first comment line of the module's help file.
  lines = strsplit(fileread(fullfile(mfiles, [name '.m'])), "\n");
  h1 = regexprep(lines{2}, '^%', '');
  try
    printed = evalc(['help ' name]);
  catch err
    printed = err.message;
  end
  if (isempty(strfind(printed, h1)))
    failures{end+1} = sprintf('help %s does not print "%s"', name, h1);
  end
end
if (!exist(fullfile(mdir, 'Contents.m'), 'file'))
  failures{end+1} = sprintf('Contents.m is not installed in %s', mdir);
end
if (!isempty(failures))
  error('check_install:failed', 'the installed package:\n  %s', strjoin(failures, "\n  "));
end
printf('package %s installed in %s, loaded, all modules called, help checked\n', tarball, prefix);
end
