// The toolkit's own texts (file and folder dialogs, the standard buttons of message boxes) in
// the program's language, so a Japanese user meets no English button.
#pragma once

// Installs the toolkit's Japanese translations, or removes them for any other language. False
// when Japanese is asked for and the translations are not installed: the texts stay English.
bool UseToolkitTranslations(bool japanese);
