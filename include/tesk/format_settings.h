// The user's format choices in one settings file (narrow format).
//
//   TeskUtility::SaveFormatSetting("format.ini");   // every family's state
//   TeskUtility::LoadFormatSetting("format.ini");   // price reset, then the file applied
#pragma once

namespace TeskUtility {

// Resets the price family, then applies the file's sections to the format
// states. 1 when the file was read; 0 for a null path or a file that fails to load.
int LoadFormatSetting(const char* path);
// Writes every family's state; 0 for a null path, else the save's result.
int SaveFormatSetting(const char* path);

}  // namespace TeskUtility
