#pragma once
// What screen readers learn of the widgets that paint themselves, which they would take
// for plain panes, and of the drop-downs, which Qt names by their entry.

// Installs the roles once per process; later calls do nothing.
void InstallAccessibleRoles();
