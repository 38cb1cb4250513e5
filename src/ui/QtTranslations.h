#pragma once

// Puts Qt's own texts (the standard buttons, the line edits' menu) in Russian, the
// window's language whatever the user's locale. Without Qt's translations installed
// they stay English.
void InstallQtTranslations();
