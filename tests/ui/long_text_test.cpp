// Multi-line texts of many lines in real windows, offscreen: they are shown by a read-only
// plain-text view, which lays out only the lines on screen (a label of a million lines took
// a minute and half a gigabyte), and hold every line of the text.

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include "app_fixture.h"
#include "pof_builder.h"
#include "sample_model.h"
#include "subobject_model.h"

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
    auto* info = w->findChild<QPlainTextEdit*>("Label2");
    QVERIFY(info);
    QVERIFY(info->isReadOnly());
    // Each line feed ends a line; the text after the last one is an empty line.
    QCOMPARE(info->blockCount(), kLines + 1);
    QCOMPARE(info->document()->findBlockByNumber(kLines - 1).text(), QString("line 19999"));
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
    const auto texts = w->findChildren<QPlainTextEdit*>();
    QCOMPARE(texts.size(), 1);
    QCOMPARE(texts[0]->blockCount(), kLines + 1);
    QCOMPARE(texts[0]->document()->findBlockByNumber(0).text(), QString("line 0"));
}

QTEST_MAIN(LongTextTest)
#include "long_text_test.moc"
