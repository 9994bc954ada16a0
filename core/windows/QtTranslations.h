#pragma once

namespace tv {

// Qt's own texts (the buttons of message boxes, the file, print and input dialogs) in the
// program's language: German when `language` is 0, Qt's English otherwise. Called at start and
// by the settings window's language buttons; dialogs opened afterwards speak the new language.
// False when the German texts could not be loaded: Qt's texts then stay English.
bool useQtTranslations(int language);

} // namespace tv
