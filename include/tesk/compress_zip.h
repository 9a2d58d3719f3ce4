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

#include <cstdint>

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

struct SZipCreateOptions {
    // For other zip tools: levels joined by '/', and folder entries stamped with
    // the folder's last-write time instead of zeros.
    int portable = 0;
};
// CreateZipFromDir with options; with the defaults it is CreateZipFromDir.
int CreateZipArchive(const CStringA& sourceDir, const CStringA& zipPath, int includeAll,
                     const SZipCreateOptions& options);

// Unpacks `zipPath` into the existing folder `destDir`: entries whose external
// attributes are exactly 16 are folders, all others files ('/' and '\' both
// separate levels). Returns 1 when every entry was written, 0 at the first
// failure, leaving what was written before. An entry with an absolute name, a
// ".." level or a symbolic link on its way fails without writing outside
// `destDir`; an existing file at a target is replaced, not written through.
// Before anything is written, an archive holding an encrypted entry, an entry
// of a method other than stored, deflate or bzip2, or entries sharing their
// data is refused (see ExtractZipArchive).
int ExtractZIPFromDir(const CStringA& zipPath, const CStringA& destDir);

// Unpacking archives made by any zip tool (Info-ZIP zip, Python's zipfile, ...):
//
//   TeskUtility::SZipFailure why;
//   if (!TeskUtility::ExtractZipArchive("/tmp/any.zip", "/home/me/out", {}, &why))
//       report(why.cause, why.entry);
//
// A folder entry is one whose name ends in '/' or '\' or whose attributes carry
// the MS-DOS directory bit; folders that an entry needs but the archive does
// not list are created. Every safety rule of ExtractZIPFromDir holds (no ".."
// level, no absolute name, no writing through a link). Before anything is
// written the whole archive is checked: an encrypted entry, an entry stored
// with a method other than stored (0), deflate (8) or bzip2 (12), and entries
// that share their data (several directory records pointing at one local
// entry, the zip-bomb shape) refuse the archive. An entry whose data does not
// end at its declared size or does not match its checksum fails. With
// `exactFolders` the folder rule of ExtractZIPFromDir applies instead
// (attributes exactly 16, parents must be listed first): that function is this
// one with `exactFolders` set and no limit.
enum EZipFailure {
    ZipFailure_None = 0,
    ZipFailure_Open,       // the archive cannot be opened or its directory is damaged
    ZipFailure_Encrypted,  // `entry` is encrypted
    ZipFailure_Method,     // `entry` uses compression `method`, which is not decoded
    ZipFailure_Overlap,    // `entry` shares its data with an earlier entry
    ZipFailure_Name,       // `entry` names a path outside the destination
    ZipFailure_Create,     // `entry`'s file or one of its folders cannot be created (`osError`)
    ZipFailure_Data,       // `entry`'s data is damaged, or runs past its declared size
    ZipFailure_Write,      // writing `entry` failed (`osError`)
    ZipFailure_Limit,      // `entry` would take the total written past the limit
};

struct SZipFailure {
    EZipFailure cause = ZipFailure_None;
    CStringA entry;            // the name as stored
    std::uint32_t method = 0;  // ZipFailure_Method
    int osError = 0;           // ZipFailure_Create, ZipFailure_Write: errno
};

struct SZipExtractOptions {
    int exactFolders = 0;            // the folder rule of ExtractZIPFromDir
    std::uint64_t maxTotalBytes = 0; // a cap on the bytes written, 0 for none
};

// 1 when every entry was written; 0 at the first failure, described in
// `failure` when given, leaving what was written before.
int ExtractZipArchive(const CStringA& zipPath, const CStringA& destDir, const SZipExtractOptions& options = {},
                      SZipFailure* failure = nullptr);

// Removes `folderPath` with all its contents, ignoring what cannot be removed.
// Symbolic links inside are removed as links; their targets are never touched.
void DeleteFolder(CStringA folderPath);

}  // namespace TeskUtility
