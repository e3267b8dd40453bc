// The shell's folder chooser and the common Open and Save As dialogs, each
// starting where the field's current value points, or when it is empty in
// the folder last chosen, the first time in Documents.
#pragma once
#include <windows.h>

#include <string>

// The kinds of file a Browse button or File > Open looks for.
enum class FileKind { Licence, Picture, Font, Project };

// The chosen path, or an empty text when the author cancelled.
std::wstring ChooseFolder(HWND owner, const wchar_t* title, const std::wstring& current);
std::wstring ChooseFile(HWND owner, FileKind kind, const std::wstring& current);
std::wstring ChooseProjectToSave(HWND owner, const std::wstring& current);

// The extension of project files, with its dot.
extern const wchar_t PROJECT_EXTENSION[];
