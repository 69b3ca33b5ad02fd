#include "discinfo/FileNames.h"

#include <cstring>
#include <set>

namespace {
std::string twoDigits(int n)
{
    return n >= 0 && n < 10 ? "0" + std::to_string(n) : std::to_string(n);
}

std::string expand(const std::string& pattern, const FileNameFields& f)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        switch (pattern[++i]) {
        case 'n': out += std::to_string(f.track); break;
        case 'N': out += twoDigits(f.track); break;
        case 't': out += f.title; break;
        case 'a': out += f.artist; break;
        case 'A': out += f.album; break;
        case 'y': out += f.year > 0 ? std::to_string(f.year) : std::string(); break;
        case '%': out += '%'; break;
        default: out += '%'; out += pattern[i]; break;
        }
    }
    return out;
}
}  // namespace

std::string CutUtf8(const std::string& text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    // Back over continuation bytes (10xxxxxx) to the start of the character cut through.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string FileNameFromTemplate(const std::string& pattern, const FileNameFields& fields, bool safeNames)
{
    std::string name = expand(pattern, fields);
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool control = byte < 0x20 || byte == 0x7F;  // FAT and Windows refuse them all
        if (c == '/' || c == '\0' || (safeNames && (control || std::strchr("\\:*?\"<>|", c))))
            c = '-';
    }
    // A leading dot would hide the file from every file list.
    name.erase(0, name.find_first_not_of('.') == std::string::npos ? name.size() : name.find_first_not_of('.'));
    name = CutUtf8(name, kMaxFileNameBytes);
    if (safeNames)
        while (!name.empty() && (name.back() == '.' || name.back() == ' '))
            name.pop_back();
    if (name.empty())
        return fields.track == 0 ? std::string(kWholeDiscFileName) : expand(kDefaultFileNameTemplate, fields);
    return name;
}

void MakeNamesDistinct(std::vector<std::string>& names)
{
    std::set<std::string> taken;
    for (std::string& name : names) {
        if (taken.insert(name).second)
            continue;
        for (int n = 2;; ++n) {
            const std::string candidate = name + " (" + std::to_string(n) + ")";
            if (taken.insert(candidate).second) {
                name = candidate;
                break;
            }
        }
    }
}
