// Status, extended attributes and access control lists of test files, set and read as a user would.
#ifndef ZODAVUDAZ_TESTS_SUPPORT_FILEATTRIBUTES_H
#define ZODAVUDAZ_TESTS_SUPPORT_FILEATTRIBUTES_H

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>

/// The status of path, or of the link itself where followLinks is false; zeroes where it is missing.
inline struct stat StatusOf(const std::string& path, bool followLinks = true) {
  struct stat status {};
  (followLinks ? stat : lstat)(path.c_str(), &status);
  return status;
}

/// The status of the open file descriptor; zeroes where it has none.
inline struct stat StatusOfOpen(int descriptor) {
  struct stat status {};
  fstat(descriptor, &status);
  return status;
}

/// The access control list of a file as the host stores it.
constexpr char AccessListAttribute[] = "system.posix_acl_access";

/// The value of the attribute name of path; empty where it has none.
inline std::string AttributeOf(const std::string& path, const char* name) {
  char value[4096];
  const ssize_t length = getxattr(path.c_str(), name, value, sizeof value);
  return length > 0 ? std::string(value, static_cast<size_t>(length)) : std::string();
}

inline bool HasAttribute(const std::string& path, const char* name) {
  return getxattr(path.c_str(), name, nullptr, 0) >= 0;
}

inline bool SetAttribute(const std::string& path, const char* name, const std::string& value) {
  return setxattr(path.c_str(), name, value.data(), value.size(), 0) == 0;
}

/// Runs setfacl with arguments (its own, then the path); false where it failed or is missing.
inline bool SetAccessList(const std::string& arguments, const std::string& path) {
  return std::system(("setfacl " + arguments + " '" + path + "' 2>/dev/null").c_str()) == 0;
}

#endif
