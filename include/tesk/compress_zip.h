// Zip archives of whole folder trees, and removal of a folder tree.
//
//   TeskUtility::CreateZipFromDir("/home/me/quotes", "/tmp/quotes.zip", 0);  // leaves out the working files
//   TeskUtility::ExtractZIPFromDir("/tmp/quotes.zip", "/home/me/restore");    // the folder must exist
//   TeskUtility::DeleteFolder("/home/me/restore");
//
// Paths and entry names are bytes, never transcoded: a Linux file name goes into
// the archive as it is on disk. Names are taken to be in the calling thread's
// ANSI code page; when that is UTF-8 (65001) non-ASCII names are flagged as
// UTF-8 for other zip tools, and when it is a double-byte page (950) a
// backslash that is the second byte of a character is not a separator.
#pragma once

#include "tesk/types.h"

namespace TeskUtility {

// Packs `sourceDir` and everything below it into a new archive at `zipPath`
// (replacing any file there). Entry names are relative, levels joined by '\',
// folder entries end in '/'. With `includeAll` 0 the top-level working files
// ("Commodity.sdb", "Group.sdb", "Quorin.log", "Quorin_bk.log", "LOG", any case)
// are left out. Returns 0 only when the archive cannot be created (after a
// message box); an unreadable file shows a message box and leaves an empty entry.
// Symbolic links are followed, except into a folder being walked already;
// sockets, pipes and devices are skipped. Shows message boxes on the calling thread.
int CreateZipFromDir(const CStringA& sourceDir, const CStringA& zipPath, int includeAll);

// Unpacks `zipPath` into the existing folder `destDir`: entries whose external
// attributes are exactly 16 are folders, all others files ('/' and '\' both
// separate levels). Returns 1 when every entry was written, 0 at the first
// failure, leaving what was written before. An entry with an absolute name, a
// ".." level or a symbolic link on its way fails without writing outside
// `destDir`; an existing file at a target is replaced, not written through.
int ExtractZIPFromDir(const CStringA& zipPath, const CStringA& destDir);

// Removes `folderPath` with all its contents, ignoring what cannot be removed.
// Symbolic links inside are removed as links; their targets are never touched.
void DeleteFolder(CStringA folderPath);

}  // namespace TeskUtility
