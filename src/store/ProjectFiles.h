// The projects: one "<Name>.ini" per product in the project folder, with
// the What's New text in the companion "<Name>.txt", and the operations of
// the product list, its menu and the Save button. Each acts on the main
// window through ProjectWindow and reaches the user through Dialogs.
#pragma once

#include "platform/Dialogs.h"
#include "store/ProjectWindow.h"

#include <functional>
#include <string>
#include <string_view>

namespace tarvel {

// Why `name` cannot name a project file (it would lie outside the project
// folder), or empty text when it can.
std::u16string ProductNameProblem(std::u16string_view name);

// <folder>/<name>.ini, the name untrimmed.
std::u16string ProjectFilePath(std::u16string_view projectFolder, std::u16string_view name);
// The project file's name with ".ini" replaced by ".txt".
std::u16string CompanionPath(std::u16string_view projectFile);

// Refills the product list from the folder's "*.ini" entries, in the order
// the folder gives them, and selects the one named in Edit1.
void ListProjects(ProjectWindow& window, std::u16string_view projectFolder);

// Loads the project selected in the product list into the window.
void LoadProject(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder);

// Saves the window under the name in Edit1. A save that fails leaves the
// window marked as changed, so that switching or closing asks again.
void SaveProject(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder);

// The Save button: SaveProject, then ListProjects.
void Button6Click(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder);
// "New...": asks for a name and saves the window under it.
void New1Click(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder);
// "Remove...": removes the selected project's files after asking.
void Delete1Click(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder);

// Shows a folder in the file manager.
using OpenFolderFunction = std::function<void(const std::u16string& folder)>;
// "Open Project Folder": opens the folder when it exists.
void OpenProjectFolder1Click(std::u16string_view projectFolder, const OpenFolderFunction& open);

// The user chose a product: offers to save the one being left, then loads.
void ComboAppsChange(ProjectWindow& window, Dialogs& dialogs, std::u16string_view projectFolder);

} // namespace tarvel
