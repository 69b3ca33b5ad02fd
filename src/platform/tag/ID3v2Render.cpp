#include "platform/tag/ID3v2Render.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/commentsframe.h>
#include <taglib/id3v2frame.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tstring.h>

#include <memory>

namespace {
TagLib::String Utf8(const std::string& text)
{
    return TagLib::String(text, TagLib::String::UTF8);
}

// Latin-1 when every character fits, else UTF-16 with byte-order mark (ID3v2.3 knows no UTF-8).
TagLib::String::Type EncodingFor(const TagLib::String& text)
{
    return text.isLatin1() ? TagLib::String::Latin1 : TagLib::String::UTF16;
}

// A TagLib frame rendered with a version 2.3 frame header (plain 32-bit size).
template <class Frame>
class V3 : public Frame {
public:
    using Frame::Frame;
    void AppendTo(std::vector<std::uint8_t>& out)
    {
        this->header()->setVersion(3);
        const TagLib::ByteVector bytes = this->render();
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
};

void AppendText(std::vector<std::uint8_t>& out, const char* id, const std::string& text)
{
    if (text.empty())
        return;
    const TagLib::String value = Utf8(text);
    V3<TagLib::ID3v2::TextIdentificationFrame> frame(TagLib::ByteVector(id), EncodingFor(value));
    frame.setText(value);
    frame.AppendTo(out);
}

void PutHeader(std::vector<std::uint8_t>& tag)
{
    const std::size_t body = tag.size() - kID3v2HeaderSize;
    const std::uint8_t header[kID3v2HeaderSize] = {
        'I', 'D', '3', 3, 0, 0,  // version 2.3.0, no flags
        static_cast<std::uint8_t>((body >> 21) & 0x7F), static_cast<std::uint8_t>((body >> 14) & 0x7F),
        static_cast<std::uint8_t>((body >> 7) & 0x7F), static_cast<std::uint8_t>(body & 0x7F)};
    std::copy(std::begin(header), std::end(header), tag.begin());
}
}  // namespace

std::vector<std::uint8_t> RenderID3v23(const ID3v2Fields& f, std::size_t size)
{
    std::vector<std::uint8_t> tag(kID3v2HeaderSize, 0);
    AppendText(tag, "TIT2", f.title);
    AppendText(tag, "TPE1", f.artist);
    AppendText(tag, "TALB", f.album);
    AppendText(tag, "TYER", f.year);
    AppendText(tag, "TRCK", f.track);
    AppendText(tag, "TCON", f.genre);
    AppendText(tag, "TCOM", f.composer);
    AppendText(tag, "TSRC", f.isrc);
    if (!f.comment.empty()) {
        const TagLib::String text = Utf8(f.comment);
        V3<TagLib::ID3v2::CommentsFrame> frame(EncodingFor(text));
        frame.setLanguage("eng");
        frame.setText(text);
        frame.AppendTo(tag);
    }
    for (const auto& [description, value] : f.userTexts) {
        const TagLib::String d = Utf8(description), v = Utf8(value);
        const bool latin1 = d.isLatin1() && v.isLatin1();
        V3<TagLib::ID3v2::UserTextIdentificationFrame> frame(d, TagLib::StringList(v),
                                                             latin1 ? TagLib::String::Latin1 : TagLib::String::UTF16);
        frame.AppendTo(tag);
    }
    if (f.cover && !f.cover->bytes.empty()) {
        V3<TagLib::ID3v2::AttachedPictureFrame> frame;
        frame.setTextEncoding(TagLib::String::Latin1);
        frame.setMimeType(f.cover->mime);
        frame.setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
        frame.setPicture(TagLib::ByteVector(reinterpret_cast<const char*>(f.cover->bytes.data()),
                                            static_cast<unsigned int>(f.cover->bytes.size())));
        frame.AppendTo(tag);
    }
    if (size == 0)
        size = tag.size();
    // The size field holds 28 bits.
    if (tag.size() > size || size - kID3v2HeaderSize >= (std::size_t{1} << 28))
        return {};
    tag.resize(size, 0);
    PutHeader(tag);
    return tag;
}

std::vector<std::uint8_t> BlankID3v23(std::size_t size)
{
    if (size < kID3v2HeaderSize || size - kID3v2HeaderSize >= (std::size_t{1} << 28))
        return {};
    std::vector<std::uint8_t> tag(size, 0);
    PutHeader(tag);
    return tag;
}
