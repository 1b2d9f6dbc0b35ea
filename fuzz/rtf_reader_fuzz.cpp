// Feeds arbitrary bytes to the RTF reader, both as a check and as an insertion into the
// middle of a document, and lays the result out. Besides crashes, leaks and hangs it
// stops on a broken promise of the reader.
#include "platform/RtfReader.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "rtf_reader_fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Laying text out needs the font database, which needs an application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray rtf(reinterpret_cast<const char*>(data), qsizetype(size));
    const RtfResult checked = RtfReader::check(rtf);
    require(checked.ok == checked.error.isEmpty(), "check: ok and error disagree");

    const QString before = QStringLiteral("before ");
    const QString after = QStringLiteral("after");
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText(before + after);
    cursor.setPosition(int(before.size()));
    const RtfResult inserted = RtfReader::insert(cursor, rtf);
    require(inserted.ok == inserted.error.isEmpty(), "insert: ok and error disagree");
    // A well-formed document must insert without complaint.
    require(!checked.ok || inserted.ok, "insert rejects what check accepts");

    const QString text = doc.toRawText();
    require(text.startsWith(before) && text.endsWith(after), "text around the cursor changed");
    require(text.size() <= before.size() + after.size() + qsizetype(size), "more characters than input bytes");
    require(cursor.position() <= text.size() - after.size(), "cursor left behind the following text");

    doc.setTextWidth(400);
    (void)doc.size();
    return 0;
}
