#include "tst_help_page.h"

#include "support/test_files.h"

#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString kBuiltPage = QStringLiteral(TAMSEL_EXE_DIR "/Html/index.html");
const QString kSourcePage = QStringLiteral(TAMSEL_SOURCE_DIR "/Html/index.html");

} // namespace

// The help command opens Html/index.html in the executable's folder.
void TestHelpPage::copiedNextToExecutable() {
    QVERIFY2(QFileInfo::exists(kBuiltPage), qPrintable(kBuiltPage));
    const QByteArray built = readFileBytes(kBuiltPage);
    QVERIFY(!built.isEmpty());
    QCOMPARE(built, readFileBytes(kSourcePage));
}

// Any browser shows it as written: UTF-8 that says so, balanced markup (the page keeps to
// the XML form of HTML), and every link inside the page leads somewhere.
void TestHelpPage::wellFormedUtf8WithWorkingLinks() {
    const QByteArray bytes = readFileBytes(kSourcePage);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    QVERIFY(!utf8.hasError());
    QVERIFY(text.contains(QLatin1String("<meta charset=\"utf-8\"")));
    QVERIFY(text.startsWith(QLatin1String("<!DOCTYPE html>")));

    QXmlStreamReader xml(bytes);
    QSet<QString> ids;
    QStringList links;
    QString lang;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("html"))
            lang = attributes.value(QLatin1String("lang")).toString();
        if (attributes.hasAttribute(QLatin1String("id")))
            ids.insert(attributes.value(QLatin1String("id")).toString());
        const QString href = attributes.value(QLatin1String("href")).toString();
        if (href.startsWith(QLatin1Char('#')))
            links.append(href.mid(1));
    }
    QVERIFY2(
        !xml.hasError(),
        qPrintable(QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString())));
    QCOMPARE(lang, QStringLiteral("ja"));
    QVERIFY(links.size() >= 10);
    for (const QString& link : links)
        QVERIFY2(ids.contains(link), qPrintable(link));
}
