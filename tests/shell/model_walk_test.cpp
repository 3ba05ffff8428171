// The walk over every window that pofdump --all prints and a comparison matches by place: its
// order, its places, the item names it carries and the fields it reads out of a section.

#include "shell/model_walk.h"

#include <gtest/gtest.h>

#include <set>

#include "every_chunk_model.h"
#include "pof_builder.h"
#include "ship_model.h"
#include "subobject_model.h"
#include "temp_file.h"

namespace {

using testing_pof::PofBuilder;

// What a walk saw: each section's place and fields, copied while its callback ran.
struct Seen {
    std::vector<std::vector<shell::PlaceStep>> places;
    std::vector<std::vector<shell::SectionField>> fields;

    explicit Seen(const std::string& bytes) {
        const testing_pof::TempFile file(bytes);
        shell::HeadlessModel model;
        model.open(file.path());
        model.walk([&](const shell::Section& s) {
            places.emplace_back(s.place.begin(), s.place.end());
            fields.push_back(shell::section_fields(s));
        });
    }
    std::vector<std::string> texts(std::size_t max_steps) const {
        std::vector<std::string> out;
        for (const auto& p : places) {
            if (p.size() <= max_steps) out.push_back(shell::place_text(p));
        }
        return out;
    }
    // The value of the field name in the section at place.
    std::string value(const std::string& place, const std::string& name) const {
        for (std::size_t i = 0; i < places.size(); ++i) {
            if (shell::place_text(places[i]) != place) continue;
            for (const auto& f : fields[i]) {
                if (f.name == name) return f.value;
            }
        }
        return "(none)";
    }
};

// Subobject chunks whose numbers run 2, 0, 1, a chunk no window shows and a second TXTR. The
// record list numbers subobject rows as they come, and a double-click on row "SOBJ   0" shows
// subobject 0 wherever its chunk lies: so does the walk. The store keeps the last TXTR.
TEST(ModelWalk, GoesThroughTheRecordListInFileOrderEachRowOnce) {
    const auto sobj = [](std::int32_t n, const char* name) {
        return testing_pof::subobject_body(2014, {.number = n, .name = name});
    };
    const Seen seen(PofBuilder(2014)
                        .chunk("OHDR", testing_pof::header_body(2014, {.subobjects = 3}))
                        .chunk("SOBJ", sobj(2, "c"))
                        .chunk("ZZZZ", testing_pof::Bytes().i32(7))
                        .chunk("SOBJ", sobj(0, "a"))
                        .chunk("TXTR", testing_pof::texture_body({"x", "y"}))
                        .chunk("SOBJ", sobj(1, "b"))
                        .chunk("TXTR", testing_pof::texture_body({"z"}))
                        .str());
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < seen.places.size(); ++i) {
        const auto& step = seen.places[i].front();
        if (i == 0 || step.row != seen.places[i - 1].front().row) rows.push_back(step.text);
        if (seen.places[i].size() == 2 && seen.places[i][1].list == "cboSubObjects")
            rows.back() += " " + seen.places[i][1].text + " " + seen.places[i][1].key;
    }
    EXPECT_EQ(rows,
              (std::vector<std::string>{"OHDR", "SOBJ subObject 0 a", "ZZZZ", "SOBJ subObject 1 b",
                                        "TXTR", "SOBJ subObject 2 c", "TXTR"}));
    EXPECT_EQ(seen.value("ZZZZ", "Record Size"), "4");
    EXPECT_EQ(seen.value("TXTR", "row 0"), "z | 0");
    EXPECT_EQ(seen.fields.back().size(), 1U);  // the second TXTR: its size alone
}

TEST(ModelWalk, EveryPlaceOfTheSampleAndItsCopiesIsItsOwn) {
    for (const auto copy : testing_pof::kShipCopies) {
        const Seen seen(testing_pof::ship_model(copy));
        const auto all = seen.texts(99);
        EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size())
            << testing_pof::ship_file_name(copy);
    }
}

// The names items are matched by, and the values a comparison reads, in the sample.
TEST(ModelWalk, SectionsCarryTheItemsNamesAndTheirValuesAsFields) {
    const Seen seen(testing_pof::ship_model());
    std::vector<std::string> keys;
    for (const auto& p : seen.places) {
        if (p.size() == 2 && !p[1].key.empty()) keys.push_back(p.front().text + " " + p[1].key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"OBJ2 hull", "OBJ2 turret01", "OBJ2 turret02",
                                              "OBJ2 hull-1", "OBJ2 debris01", "PATH $dock01",
                                              "PATH $turret01-path", "SPCL $engine01"}));
    const struct {
        const char *place, *name, *value;
    } cases[] = {
        {"GPNT \u00B7 Slot 0 \u00B7 Gun 0", "Mounting Point", "(-3, -1.5, 15)"},
        {"GPNT \u00B7 Slot 0", "cboPoints", "2 rows"},
        {"TXTR", "row 1", "turret | 1"},
        {"OBJ2 \u00B7 subObject 2", "Parent", "0"},
        {"OBJ2 \u00B7 subObject 1 \u00B7 block at 312 \u00B7 TMAPPOLY", "Texture Map #", "1"},
        {"PINF", "Label2",
         "pofscope sample ship\nhull of 34 faces, gun turret amidships, missile turret aft\n"
         "detail level 1: hull-1; debris: debris01\nwritten by tools/make_sample\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(seen.value(c.place, c.name), c.value) << c.place;
}

}  // namespace
