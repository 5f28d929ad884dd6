#!/usr/bin/env bash
# CTest's runner for the Windows test programs. A GUI test that CTest has
# given a display slot runs in that slot's own Wine session (its own virtual
# display, wineserver and prefix), so GUI tests of different slots can run at
# once without sharing a desktop, a foreground window or the pointer. Without
# a slot, or when no slot sessions were started, the caller's session is used.
if [ -n "${CTEST_RESOURCE_GROUP_0_GUI:-}" ]; then
  slot=${CTEST_RESOURCE_GROUP_0_GUI#id:}
  slot=${slot%%,*}
  display_var=TESSALOOM_GUI_DISPLAY_$slot
  prefix_var=TESSALOOM_GUI_PREFIX_$slot
  if [ -n "${!display_var:-}" ] && [ -n "${!prefix_var:-}" ]; then
    export DISPLAY=${!display_var} WINEPREFIX=${!prefix_var}
  fi
fi
exec wine "$@"
