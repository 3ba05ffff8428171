// Multi-line texts of many lines in real windows, offscreen: they are shown by a view of
// lines over an item model, which lays out only the lines on screen (a label of a million
// lines took a minute and half a gigabyte), and hold every line of the text.

#include <QTest>

#include "app_fixture.h"
#include "every_chunk_model.h"
#include "pof_builder.h"
#include "subobject_model.h"
#include "ui/text_lines_view.h"

class LongTextTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void production_info_of_many_lines();
    void subobject_properties_of_many_lines();
};

namespace {

constexpr int kLines = 20000;

std::string numbered_lines() {
    std::string text;
    for (int i = 0; i < kLines; ++i) text += "line " + std::to_string(i) + "\n";
    return text;
}

}  // namespace

void LongTextTest::production_info_of_many_lines() {
    testing_ui::App app;
    app.open_bytes(testing_pof::PofBuilder(2117)
                       .chunk("PINF", testing_pof::Bytes().raw(numbered_lines()))
                       .str());
    app.action("IDM_PINF")->trigger();
    ui::ViewerWindow* w = app.windows.window("frmPINF");
    QVERIFY(w);
    auto* info = w->findChild<ui::TextLinesView*>("Label2");
    QVERIFY(info);
    // Each line feed ends a line; the text after the last one is an empty line.
    QCOMPARE(info->line_count(), kLines + 1);
    QCOMPARE(info->line(kLines - 1), QString("line 19999"));
    QCOMPARE(info->line(kLines), QString());
}

void LongTextTest::subobject_properties_of_many_lines() {
    testing_ui::App app;
    testing_pof::SubobjectFields fields;
    fields.properties = numbered_lines();
    app.open_bytes(testing_pof::PofBuilder(2117)
                       .chunk("HDR2", testing_pof::header_body(2117, {.subobjects = 1}))
                       .chunk("OBJ2", testing_pof::subobject_body(2117, fields))
                       .str());
    app.form.record_list().double_click(1);  // "OBJ2   0"
    ui::ViewerWindow* w = app.windows.window("frmSOBJ");
    QVERIFY(w);
    const auto texts = w->findChildren<ui::TextLinesView*>();
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts[0]->line_count(), kLines + 1);
    QCOMPARE(texts[0]->line(0), QString("line 0"));
    // Three lines high, the rest scrolls.
    QCOMPARE(texts[0]->height(), texts[0]->height_for_lines(3));
}

QTEST_MAIN(LongTextTest)
#include "long_text_test.moc"
