# The deliverables: one row per module and platform. Every build fact lives here.
#
#   module     the module's name (modules/<module>.cpp is its entry)
#   platform   glnxa64 | win64 | win32 | mac | octave
#   variant    host interface: COMPAT (_700, 32-bit sizes), LARGE (_730, 64-bit),
#              PLAIN64 (plain names at v7.3, 64-bit), PLAIN32 (plain names, 32-bit),
#              OCTAVE (Octave's own interface)
#   flavour    arithmetic: DOUBLE (every operation rounded), FUSED (fused multiply-add),
#              EXTENDED (x87 extended sums)
#   export     the name of the entry in a Windows export table
#   extras     APIVERSION (mexfilerequiredapiversion), CREATE730 (creates by the _730 name),
#              CHECKS_CALLED (carries only the argument checks that the module calls),
#              MEXVERSION (mexVersion and its _version word), BANNER (prints a fixed text)
#
# Every module reports errors, so every build links libmx and libmex (and, on PowerPC, libmat).

#                module     platform  variant  flavour   export        extras
mixfilt_deliverable(tallmix   win32    COMPAT   EXTENDED  _mexFunction  "")
mixfilt_deliverable(tallmix   win64    LARGE    DOUBLE    mexFunction   "")
mixfilt_deliverable(tallmix   glnxa64  PLAIN64  DOUBLE    mexFunction   "")
mixfilt_deliverable(widemix   win32    COMPAT   EXTENDED  _mexFunction  "")
mixfilt_deliverable(widemix   win64    LARGE    DOUBLE    mexFunction   "")
mixfilt_deliverable(widemix   glnxa64  PLAIN64  DOUBLE    mexFunction   "")
mixfilt_deliverable(cscslice  win32    COMPAT   EXTENDED  _mexFunction  "")
mixfilt_deliverable(cscslice  win64    LARGE    DOUBLE    mexFunction   "CHECKS_CALLED")
mixfilt_deliverable(cscslice  glnxa64  PLAIN64  DOUBLE    mexFunction   "")
mixfilt_deliverable(broadplus win32    COMPAT   EXTENDED  _mexFunction  "")
mixfilt_deliverable(broadplus win64    LARGE    DOUBLE    mexFunction   "")
mixfilt_deliverable(broadplus glnxa64  PLAIN64  DOUBLE    mexFunction   "")
mixfilt_deliverable(latfilt   win32    COMPAT   EXTENDED  mexFunction   "")
mixfilt_deliverable(latfilt   mac      PLAIN32  FUSED     mexFunction   "MEXVERSION")
mixfilt_deliverable(latfiltS  win32    COMPAT   EXTENDED  mexFunction   "")
mixfilt_deliverable(latfiltS  win64    COMPAT   DOUBLE    mexFunction   "")
mixfilt_deliverable(latfiltS  mac      PLAIN32  FUSED     mexFunction   "MEXVERSION;BANNER")
mixfilt_deliverable(dilfilt   win32    COMPAT   EXTENDED  mexFunction   "")
mixfilt_deliverable(dilfilt   glnxa64  PLAIN64  DOUBLE    mexFunction   "APIVERSION;CREATE730")
mixfilt_deliverable(dilfilt   mac      PLAIN32  FUSED     mexFunction   "MEXVERSION")
mixfilt_deliverable(tallmix   octave   OCTAVE   DOUBLE    mexFunction   "")
mixfilt_deliverable(widemix   octave   OCTAVE   DOUBLE    mexFunction   "")
mixfilt_deliverable(cscslice  octave   OCTAVE   DOUBLE    mexFunction   "")
mixfilt_deliverable(broadplus octave   OCTAVE   DOUBLE    mexFunction   "")
mixfilt_deliverable(latfilt   octave   OCTAVE   DOUBLE    mexFunction   "")
mixfilt_deliverable(latfiltS  octave   OCTAVE   DOUBLE    mexFunction   "")
mixfilt_deliverable(dilfilt   octave   OCTAVE   DOUBLE    mexFunction   "")
