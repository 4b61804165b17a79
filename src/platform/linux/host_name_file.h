// Where the Linux layer keeps the name the machine boots with.
#ifndef HOSTLABEL_PLATFORM_LINUX_HOST_NAME_FILE_H
#define HOSTLABEL_PLATFORM_LINUX_HOST_NAME_FILE_H

// True when name is a host name that Linux accepts as the static host name:
// 1 to 64 bytes of dot-separated labels, each 1 to 63 ASCII letters, digits
// or hyphens that neither starts nor ends with a hyphen.
bool IsValidHostName(const char *name);

// Replaces directory/hostname with name and a line feed, all at once: a
// reader finds either the old file or the new one, never a mix. Returns 0 on
// success; -1 with errno set on failure. A failure before the new file is in
// place leaves the old file untouched and no other file behind; a failure to
// flush the directory afterwards is reported although the new name is
// already in place.
int ReplaceHostNameFile(const char *directory, const char *name);

#endif
