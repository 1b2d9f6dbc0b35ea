// Importing a large help document: the RTF reader against Qt's own HTML import of the same
// content, in one run so the two figures compare. Run:
//   cmake --build build-rtf --target bench_rtf_import && build-rtf/bench_rtf_import
#include "BenchmarkBaseline.h"
#include "platform/RtfReader.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <benchmark/benchmark.h>

namespace {

struct Content {
    QByteArray rtf;
    QString html;
};

// About 1 MB of RTF: paragraphs that switch bold, size and colour several times each, as
// the command book's pages do, with the same text and formats written as HTML.
const Content& content()
{
    static const Content generated = [] {
        static const char* const colours[] = {"#ff0000", "#008000", "#0000ff"};
        Content c;
        c.rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
                "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}\r\n";
        c.html = QStringLiteral("<html><body style=\"font-family:Arial\">");
        for (int i = 0; c.rtf.size() < 1024 * 1024; ++i) {
            const QByteArray n = QByteArray::number(i);
            const QByteArray colour = QByteArray::number(i % 3 + 1);
            c.rtf += "\\pard\\fs20 Page " + n + ": the \\b command word\\b0  sends its value to the "
                     "\\fs28 chat\\fs20  window, \\cf" + colour + "in colour " + n + "\\cf0  and back to "
                     "plain text, then \\b\\fs24 bold again\\b0\\fs20  before the end.\\par\r\n";
            c.html += QStringLiteral(
                          "<p style=\"margin:0\"><span style=\"font-size:10pt\">Page %1: the <b>command word</b> sends "
                          "its value to the </span><span style=\"font-size:14pt\">chat</span><span "
                          "style=\"font-size:10pt\"> window, <span style=\"color:%2\">in colour %1</span> and back "
                          "to plain text, then </span><b style=\"font-size:12pt\">bold again</b><span "
                          "style=\"font-size:10pt\"> before the end.</span></p>\n")
                          .arg(i)
                          .arg(QLatin1String(colours[i % 3]));
        }
        c.rtf += "}";
        c.html += QStringLiteral("</body></html>");
        return c;
    }();
    return generated;
}

void BM_RtfImport(benchmark::State& state)
{
    const QByteArray& rtf = content().rtf;
    for (auto _ : state) {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        const RtfResult result = RtfReader::insert(cursor, rtf);
        benchmark::DoNotOptimize(result.ok);
        if (!result.ok)
            state.SkipWithError(qPrintable(result.error));
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}

void BM_HtmlFromHtml(benchmark::State& state)
{
    const QString& html = content().html;
    for (auto _ : state) {
        const QTextDocumentFragment fragment = QTextDocumentFragment::fromHtml(html);
        benchmark::DoNotOptimize(fragment.isEmpty());
    }
    state.SetBytesProcessed(state.iterations() * html.size());
}

// The fair match for the help window, which needs the text in its own document.
void BM_HtmlIntoDocument(benchmark::State& state)
{
    const QString& html = content().html;
    for (auto _ : state) {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        cursor.insertFragment(QTextDocumentFragment::fromHtml(html));
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * html.size());
}

BENCHMARK(BM_RtfImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlFromHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlIntoDocument)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Both imports read the same text: check it once, so a broken generator shows at once.
    QTextDocument rtfDoc;
    QTextCursor cursor(&rtfDoc);
    RtfReader::insert(cursor, content().rtf);
    QTextDocument htmlDoc;
    htmlDoc.setHtml(content().html);
    if (rtfDoc.toPlainText().trimmed() != htmlDoc.toPlainText().trimmed()) {
        fprintf(stderr, "bench_rtf_import: the RTF and HTML documents hold different text\n");
        return 1;
    }
    fprintf(stderr, "RTF %lld bytes, HTML %lld characters, %d paragraphs\n", (long long)content().rtf.size(),
            (long long)content().html.size(), rtfDoc.blockCount());

    return runRegisteredBenchmarks(argc, argv);
}
