#include "unidrv/job_file/page_content_reader.h"

#include <map>

namespace sim::unidrv {
namespace {

constexpr double kMaxPageMm = 2000.0;

PageRectangle ReadRectangle(const json& value, const std::string& path) {
    PageRectangle rectangle;
    Fields fields(value, path);
    fields.Real("x", rectangle.x, 0.0, kMaxPageMm);
    fields.Real("y", rectangle.y, 0.0, kMaxPageMm);
    fields.Real("width", rectangle.width, 0.0, kMaxPageMm);
    fields.Real("height", rectangle.height, 0.0, kMaxPageMm);
    fields.Done();
    if (rectangle.width <= 0 || rectangle.height <= 0) {
        throw JobFileError(path, "width and height must be positive");
    }
    return rectangle;
}

std::uint32_t ReadColour(const std::string& text, const std::string& path) {
    const bool wellFormed = text.size() == 7 && text[0] == '#' &&
                            text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
    if (!wellFormed) {
        throw JobFileError(path, "expected a colour as #RRGGBB");
    }
    return static_cast<std::uint32_t>(std::stoul(text.substr(1), nullptr, 16));
}

PagePoint ReadPoint(const json& value, const std::string& path) {
    PagePoint point;
    Fields fields(value, path);
    fields.Real("x", point.x, 0.0, kMaxPageMm);
    fields.Real("y", point.y, 0.0, kMaxPageMm);
    fields.Done();
    return point;
}

// A clip: a rectangle, or {"rectangles": [...]}, {"polygon": [...]} or {"ellipse": RECT}, each
// with an optional "enumerate": "rectangles" or "path".
ClipShape ReadClip(const json& value, const std::string& path) {
    if (value.is_object() && value.contains("x")) {
        return {ClipShape::Kind::kRectangle, {ReadRectangle(value, path)}, {}, false};
    }
    Fields fields(value, path);
    ClipShape clip;
    std::string enumerate = "rectangles";
    fields.Choice("enumerate", enumerate, {"rectangles", "path"});
    clip.enumerateAsPath = enumerate == "path";
    const json* rectangles = fields.Find("rectangles");
    const json* polygon = fields.Find("polygon");
    const json* ellipse = fields.Find("ellipse");
    fields.Done();
    if ((rectangles != nullptr) + (polygon != nullptr) + (ellipse != nullptr) != 1) {
        throw JobFileError(path,
                           "give a rectangle or exactly one of \"rectangles\", "
                           "\"polygon\" and \"ellipse\"");
    }
    if (rectangles != nullptr) {
        clip.kind = ClipShape::Kind::kRectangles;
        const std::string listPath = fields.PathOf("rectangles");
        for (std::size_t i = 0; i < ArrayAt(*rectangles, listPath).size(); ++i) {
            clip.rectangles.push_back(ReadRectangle((*rectangles)[i], Child(listPath, i)));
        }
    } else if (polygon != nullptr) {
        clip.kind = ClipShape::Kind::kPolygon;
        const std::string listPath = fields.PathOf("polygon");
        for (std::size_t i = 0; i < ArrayAt(*polygon, listPath).size(); ++i) {
            clip.polygon.push_back(ReadPoint((*polygon)[i], Child(listPath, i)));
        }
        if (clip.polygon.size() < 3) {
            throw JobFileError(listPath, "a polygon needs at least three corners");
        }
    } else {
        clip.kind = ClipShape::Kind::kEllipse;
        clip.rectangles.push_back(ReadRectangle(*ellipse, fields.PathOf("ellipse")));
    }
    return clip;
}

const std::map<std::string, BlitVia> kBlitFunctions = {{"BitBlt", BlitVia::kBitBlt},
                                                       {"StretchBlt", BlitVia::kStretchBlt},
                                                       {"StretchBltROP", BlitVia::kStretchBltRop},
                                                       {"CopyBits", BlitVia::kCopyBits},
                                                       {"PlgBlt", BlitVia::kPlgBlt}};

SurfaceLayout ReadSurface(const json& value, const std::string& path) {
    Fields fields(value, path);
    std::string rows = "top-down";
    std::string format = "24bpp";
    fields.Choice("rows", rows, {"top-down", "bottom-up"});
    fields.Choice("format", format, {"8bpp", "24bpp", "32bpp"});
    fields.Done();
    return {rows == "top-down", std::stoi(format)};
}

// The image keys that say how GDI hands the picture over, checked against each other.
void ReadBlitKeys(Fields& fields, ImageContent& content) {
    std::string via;
    fields.String("via", via);
    if (!via.empty()) {
        const auto found = kBlitFunctions.find(via);
        if (found == kBlitFunctions.end()) {
            throw JobFileError(fields.PathOf("via"), "\"" + via +
                                                         "\" is not one of BitBlt, StretchBlt, "
                                                         "StretchBltROP, CopyBits, PlgBlt");
        }
        content.via = found->second;
    }
    const bool ropGiven = fields.Find("rop") != nullptr;
    fields.Number("rop", content.rop4, 0, 0xFFFF);
    fields.Number("rotate", content.rotate, 0, 270);
    if (content.rotate % 90 != 0) {
        throw JobFileError(fields.PathOf("rotate"), "must be 0, 90, 180 or 270");
    }
    if (const json* surface = fields.Find("surface")) {
        content.surface = ReadSurface(*surface, fields.PathOf("surface"));
    }
    if (ropGiven && content.via && *content.via != BlitVia::kBitBlt &&
        *content.via != BlitVia::kStretchBltRop) {
        throw JobFileError(fields.PathOf("rop"), "only BitBlt and StretchBltROP take a ROP");
    }
    if (content.rotate != 0 && content.via && *content.via != BlitVia::kPlgBlt) {
        throw JobFileError(fields.PathOf("rotate"), "a turned picture goes through PlgBlt");
    }
}

}  // namespace

PageContent ReadContent(const json& value, const std::string& path,
                        const std::filesystem::path& base) {
    Fields fields(value, path);
    std::string image;
    std::string colour;
    fields.String("image", image);
    fields.String("fill", colour);
    const json* at = fields.Find("at");
    const json* clip = fields.Find("clip");
    if (at == nullptr) {
        throw JobFileError(fields.PathOf("at"), "missing: every content item needs its place");
    }
    if (image.empty() == colour.empty()) {
        throw JobFileError(path,
                           "give exactly one of \"image\" (a PNG or JPEG file) and "
                           "\"fill\" (a colour)");
    }
    if (!image.empty()) {
        ImageContent content;
        ReadBlitKeys(fields, content);
        fields.Done();
        const std::filesystem::path file(image);
        content.file = file.is_absolute() ? file : base / file;
        content.at = ReadRectangle(*at, fields.PathOf("at"));
        if (clip != nullptr) {
            content.clip = ReadClip(*clip, fields.PathOf("clip"));
        }
        return content;
    }
    fields.Done();
    if (clip != nullptr) {
        throw JobFileError(fields.PathOf("clip"), "only images take a clip");
    }
    return FillContent{ReadRectangle(*at, fields.PathOf("at")),
                       ReadColour(colour, fields.PathOf("fill"))};
}

}  // namespace sim::unidrv
