// Settings files as other programs write them: the byte-order mark picks the
// reader, UTF-8 text is kept as UTF-8, and a rewrite keeps the file's encoding
// and mark. The library's own loaders do not skip a mark, so the text is handed
// to them without it.
//
//   teskutil::SettingsFile file = teskutil::LoadSettingsFile(path, utf16, fileOrder);
//   file.store.AddString(...);
//   teskutil::SaveSettingsFile(file, path);
#pragma once

#include <memory>
#include <string>

#include "tesk/settings_store.h"

namespace teskutil {

enum class SettingsText { Ansi, Utf8, Utf16LE };

struct SettingsFile {
    SettingsText text = SettingsText::Ansi;
    bool mark = false;        // the file starts (or will start) with a byte-order mark
    bool existed = false;
    bool wellFormed = true;   // no NUL and no text invalid in its encoding: safe to rewrite
    std::unique_ptr<CTeskSetting> store;
};

// Reads `path` (a missing file gives an empty store). `utf16` asks for UTF-16LE
// where no mark says otherwise. Sets the thread's code page to the file's
// (65001 for UTF-8 and UTF-16 files) for the rest of the command. Throws
// std::runtime_error naming the file when it cannot be read or its encoding
// is one the store cannot hold (UTF-16BE, UTF-32).
SettingsFile LoadSettingsFile(const std::string& path, bool utf16, bool fileOrder);

// Writes the store back in the file's encoding, with its mark, replacing the
// file only when the whole save succeeded. Throws std::runtime_error on failure.
void SaveSettingsFile(const SettingsFile& file, const std::string& path);

const char* SettingsTextName(SettingsText text);

}  // namespace teskutil
