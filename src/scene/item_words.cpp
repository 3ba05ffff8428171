#include "scene/item_words.h"

#include <array>
#include <string_view>

#include "io/text.h"

namespace scene {

namespace {

using pof::RecordEntry;

struct Words {
    RecordEntry entry;
    std::string_view chunk;
    std::array<std::string_view, 3> lists;  // the row word of lists 1, 2, 3
};

constexpr std::array<Words, pof::kRecordEntryCount> kWords{{
    {RecordEntry::TXTR, "TXTR", {"Texture ", "", ""}},
    {RecordEntry::OHDR, "OHDR", {"", "", ""}},
    {RecordEntry::SOBJ, "SOBJ", {"subObject ", "Block row ", ""}},
    {RecordEntry::SPCL, "SPCL", {"Special pt ", "", ""}},
    {RecordEntry::GPNT, "GPNT", {"Slot ", "Gun ", ""}},
    {RecordEntry::MPNT, "MPNT", {"Slot ", "Missile ", ""}},
    {RecordEntry::TGUN, "TGUN", {"Bank ", "Point ", ""}},
    {RecordEntry::TMIS, "TMIS", {"Bank ", "Point ", ""}},
    {RecordEntry::DOCK, "DOCK", {"Dock ", "Spline path ", "Point "}},
    {RecordEntry::FUEL, "FUEL", {"Thruster ", "Glow ", ""}},
    {RecordEntry::SHLD, "SHLD", {"Vertex ", "Face ", ""}},
    {RecordEntry::EYE, "EYE", {"Eye position ", "", ""}},
    {RecordEntry::INSG, "INSG", {"Insignia ", "Vertex ", "Face "}},
    {RecordEntry::PATH, "PATH", {"Path ", "Vertex ", "Turret "}},
    {RecordEntry::ACEN, "ACEN", {"", "", ""}},
    {RecordEntry::PINF, "PINF", {"", "", ""}},
    {RecordEntry::GLOW, "GLOW", {"Bank ", "Point ", ""}},
}};

}  // namespace

std::string item_words(const pof::ItemRef& ref) {
    const Words& words = kWords[static_cast<int>(ref.entry)];
    std::string out(words.chunk);
    for (const pof::RowChoice& c : ref.choices) {
        const bool known = c.list >= 1 && c.list <= 3 && !words.lists[c.list - 1].empty();
        out += " · ";
        out += known ? std::string(words.lists[c.list - 1]) : "Row ";
        out += pof::integer_text(c.row);
    }
    return out;
}

}  // namespace scene
