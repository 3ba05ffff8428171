// The POF file type as a desktop sees it once installed: recognised by its magic whatever
// the file is called, and by its name whatever it holds.

#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

namespace {

constexpr const char* kPofType = "model/x-pof";

QString write(const QTemporaryDir& dir, const QString& name, const std::string& bytes) {
    QString path = dir.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
}

}  // namespace

class MimeTypeTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void the_magic_names_a_file_without_a_pof_name();
    void the_name_alone_is_enough_in_any_case();
    void the_type_carries_the_viewers_icon();
};

void MimeTypeTest::the_magic_names_a_file_without_a_pof_name() {
    const QTemporaryDir dir;
    const QMimeDatabase db;
    QCOMPARE(db.mimeTypeForFile(write(dir, "fighter", std::string("PSPO\x75\x08\0\0", 8))).name(),
             QString(kPofType));
    // The magic compares case and all, as the reader does.
    QVERIFY(db.mimeTypeForFile(write(dir, "lower", std::string("pspo\x75\x08\0\0", 8))).name() !=
            kPofType);
}

void MimeTypeTest::the_name_alone_is_enough_in_any_case() {
    const QMimeDatabase db;
    for (const char* name : {"fighter.pof", "FIGHTER.POF"}) {
        const QList<QMimeType> types = db.mimeTypesForFileName(name);
        QVERIFY2(types.size() == 1 && types[0].name() == kPofType, name);
    }
}

void MimeTypeTest::the_type_carries_the_viewers_icon() {
    QCOMPARE(QMimeDatabase().mimeTypeForName(kPofType).iconName(), QString(POFSCOPE_APP_ID));
}

QTEST_GUILESS_MAIN(MimeTypeTest)
#include "mime_type_test.moc"
