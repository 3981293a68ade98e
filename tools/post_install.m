function post_install(desc)
% Run by pkg install once the package's files are in place. Moves the help file of each
% compiled module from the package folder to the module's own folder: there the compiled
% module is what a call runs, and help reads the text of the file beside it.
modules = dir(fullfile(desc.archprefix, '*', '*.mex'));
if (isempty(modules))
  error('post_install: no compiled module was installed under %s', desc.archprefix);
end
for k = 1:numel(modules)
  [~, name] = fileparts(modules(k).name);
  helpfile = fullfile(desc.dir, [name '.m']);
  if (!exist(helpfile, 'file'))
    error('post_install: %s has no help file %s', name, helpfile);
  end
  [ok, msg] = movefile(helpfile, modules(k).folder);
  if (!ok)
    error('post_install: cannot move %s to %s: %s', helpfile, modules(k).folder, msg);
  end
end
end
