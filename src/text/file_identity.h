#pragma once
// Whether two names lead to one file: the same device and inode on POSIX,
// the same volume and file index on Windows, however the names are spelt
// (links, "./", other letter case).

// True when both name existing files and they are the same file.
bool same_file(const char* a, const char* b);
