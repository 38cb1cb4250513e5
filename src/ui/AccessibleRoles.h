#pragma once
// Roles for the widgets that paint themselves: a screen reader would take them for
// plain panes.

// Installs the roles once per process; later calls do nothing.
void InstallAccessibleRoles();
