// The sections of a settings file and the keys of a section through the C interface, found as the
// library's reads find them.
#include <zodavudaz/c/ProfileStatus.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/ProfileImage.h>

#include <set>
#include <string>

namespace {
/// Names each followed by LF, which no section or key name holds, each once: the first of a name is
/// the one a read finds.
class NameList {
public:
  explicit NameList(std::string& text) : Text(text) {}

  void Add(const std::string& name) {
    if (!Seen.insert(name).second)
      return;
    Text.append(name).append(1, '\n');
  }

private:
  std::string& Text;
  std::set<std::string> Seen;
};

std::string TextOf(const ProfileImage& image, const ProfileLine& line) {
  return {image.GetData() + line.Begin, static_cast<std::size_t>(line.TextEnd - line.Begin)};
}

/// list(image, text) over the whole file, read under the readers' lock, into the caller's buffer.
template <typename ListT>
int32_t ListNames(const char* file, char* names, uint32_t capacity, uint32_t* size, ListT list) noexcept {
  if (file == nullptr || IsBadBuffer(names, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    ProfileImage image;
    if (!ReadProfileFile(file, image.GetBytes()))
      return FailedProfileStatus();
    std::string text;
    NameList listed(text);
    const int32_t status = list(image, listed);
    return status == ZDZ_OK ? PutText(text.data(), text.size(), names, capacity, size) : status;
  });
}
} // namespace

int32_t zdz_profile_sections(const char* file, char* names, uint32_t capacity, uint32_t* size) {
  return ListNames(file, names, capacity, size, [](const ProfileImage& image, NameList& listed) {
    CString name;
    for (int begin = 0; begin < image.GetLength();) {
      const ProfileLine line = image.LineAt(begin);
      begin = line.End;
      if (image.IsHeaderLine(line, &name))
        listed.Add({static_cast<LPCTSTR>(name), static_cast<std::size_t>(name.GetLength())});
    }
    return ZDZ_OK;
  });
}

int32_t zdz_profile_keys(const char* file, const char* section, char* names, uint32_t capacity, uint32_t* size) {
  if (section == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ListNames(file, names, capacity, size, [&](const ProfileImage& image, NameList& listed) {
    ProfileSection found{};
    if (!image.FindSection(section, found)) {
      NoteLastError("no section [%s] in %s", section, file);
      return ZDZ_E_NOT_FOUND;
    }
    for (int begin = found.Header.End; begin < found.BodyEnd;) {
      const ProfileLine line = image.LineAt(begin);
      begin = line.End;
      const std::string text = TextOf(image, line);
      // A line without "=" holds no key.
      if (const std::size_t equals = text.find('='); equals != std::string::npos)
        listed.Add(text.substr(0, equals));
    }
    return ZDZ_OK;
  });
}
