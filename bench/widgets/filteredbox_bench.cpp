#include "widgets/filteredbox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

QString repeated(const char* text, int count) { return QString::fromLatin1(text).repeated(count); }

// Ctrl+V of `pasted` into a number box holding 250, the cursor at its end.
void pasteIntoNumberBox(benchmark::State& state, const QString& pasted, const QString& expected)
{
    QLineEdit box;
    calvex::widgets::setKeyFilter(box, calvex::services::KeyFilter::UnsignedNumber);
    QApplication::clipboard()->setText(pasted);
    for (auto _ : state) {
        // setText also clears the undo history, which each taken paste would lengthen.
        box.setText(QStringLiteral("250"));
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(&box, &paste);
    }
    if (box.text() != expected)
        state.SkipWithError("the paste did not end as a number box ends it");
}

// A column of a spreadsheet, refused at its first line break.
void BM_PasteColumn30000(benchmark::State& state)
{
    pasteIntoNumberBox(state, repeated("300\n", 7500), QStringLiteral("250"));
}
BENCHMARK(BM_PasteColumn30000)->Unit(benchmark::kMillisecond);

// Longer than the box's 32767 characters: refused whole.
void BM_PasteDigits40000(benchmark::State& state)
{
    pasteIntoNumberBox(state, repeated("7", 40000), QStringLiteral("250"));
}
BENCHMARK(BM_PasteDigits40000)->Unit(benchmark::kMillisecond);

void BM_PasteDigits2000(benchmark::State& state)
{
    pasteIntoNumberBox(state, repeated("7", 2000), QStringLiteral("250") + repeated("7", 2000));
}
BENCHMARK(BM_PasteDigits2000)->Unit(benchmark::kMillisecond);

} // namespace
