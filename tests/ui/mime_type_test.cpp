// The POF and VP file types as a desktop sees them once installed: recognised by their magic
// whatever the file is called, and by their name whatever it holds.

#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

namespace {

constexpr const char* kPofType = "model/x-pof";
constexpr const char* kVpType = "application/x-vp-archive";

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
    void archives_have_a_type_of_their_own();
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

void MimeTypeTest::archives_have_a_type_of_their_own() {
    const QTemporaryDir dir;
    const QMimeDatabase db;
    const std::string header("VPVP\x02\0\0\0\x10\0\0\0\0\0\0\0", 16);
    QCOMPARE(db.mimeTypeForFile(write(dir, "models", header)).name(), QString(kVpType));
    for (const char* name : {"sparky_fs2.vp", "MV_ASSETS.VP"}) {
        const QList<QMimeType> types = db.mimeTypesForFileName(name);
        QVERIFY2(types.size() == 1 && types[0].name() == kVpType, name);
    }
    QCOMPARE(db.mimeTypeForName(kVpType).iconName(), QString(POFSCOPE_APP_ID));
}

QTEST_GUILESS_MAIN(MimeTypeTest)
#include "mime_type_test.moc"
