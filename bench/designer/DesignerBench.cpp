// Opening and saving a form must not be felt: a form of 600 elements (every kind that the
// designer creates, about 22 of each, pictures with their files present) is loaded from its
// file and saved again, atomically, in well under 10 ms. The in-memory parts and a plain
// write of the same bytes show where the time goes.

#include "designer/FormFile.h"
#include "designer/Formular.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kb::designer;

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString pathOf(const char *name)
{
    return workDir().filePath(QString::fromLatin1(name));
}

Formular formOf600()
{
    Formular form;
    std::vector<int> kinds;
    for (int k = 0; k < kKindCount; ++k) {
        const FormKind &kind = formKind(k);
        const bool offered = kind.type != ElementType::DataPicture || kind.band == FormBand::Group
            || kind.band == FormBand::Day;
        if (offered)
            kinds.push_back(k);
    }
    for (int i = 0; form.elements().size() < 600; ++i) {
        const FormKind &kind = formKind(kinds[std::size_t(i) % kinds.size()]);
        FormElement *e = form.create(kind.type, kind.band);
        e->caption = QStringLiteral("Element %1 mit Größe").arg(i);
        e->left += i % 300;
        e->source = QStringLiteral("KBHaupttabelle");
        e->dataField = QStringLiteral("Datum");
        if (kind.type == ElementType::Picture) {
            e->picturePath = pathOf("bild.bmp");
            e->placeholder = false;
        }
    }
    return form;
}

// The sample file, written once.
const QString &sampleFile()
{
    static const QString path = [] {
        QFile picture(pathOf("bild.bmp"));
        picture.open(QIODevice::WriteOnly);
        picture.write("BM");
        const QString p = pathOf("formular600.qvf");
        formOf600().save(p);
        return p;
    }();
    return path;
}

void BM_LoadAndSave600(benchmark::State &state)
{
    const QString in = sampleFile();
    const QString out = pathOf("aus.qvf");
    for (auto _ : state) {
        Formular form;
        form.load(in);
        form.save(out);
        benchmark::DoNotOptimize(form.elements().data());
    }
}
BENCHMARK(BM_LoadAndSave600)->Unit(benchmark::kMillisecond);

void BM_Load600(benchmark::State &state)
{
    const QString in = sampleFile();
    for (auto _ : state) {
        Formular form;
        form.load(in);
        benchmark::DoNotOptimize(form.elements().data());
    }
}
BENCHMARK(BM_Load600)->Unit(benchmark::kMillisecond);

void BM_Save600(benchmark::State &state)
{
    Formular form;
    form.load(sampleFile());
    const QString out = pathOf("aus.qvf");
    for (auto _ : state)
        form.save(out);
}
BENCHMARK(BM_Save600)->Unit(benchmark::kMillisecond);

// Records decoded and encoded without a file.
void BM_InMemory600(benchmark::State &state)
{
    QFile f(sampleFile());
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    for (auto _ : state) {
        Formular form;
        form.loadRecords(parseFormFile(bytes, QStringLiteral("x.qvf")), QStringLiteral("x.qvf"));
        benchmark::DoNotOptimize(formFileBytes(form.records()).data());
    }
}
BENCHMARK(BM_InMemory600)->Unit(benchmark::kMillisecond);

// The peer: the same bytes written in place, neither atomic nor synced.
void BM_BaselinePlainWrite600(benchmark::State &state)
{
    QFile f(sampleFile());
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    for (auto _ : state) {
        QFile out(pathOf("roh.qvf"));
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bytes);
    }
}
BENCHMARK(BM_BaselinePlainWrite600)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qputenv("KRONOBLATT_HOME", workDir().path().toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
