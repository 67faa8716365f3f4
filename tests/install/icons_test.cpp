// The icons of the desktop's icon theme are drawn at build time; at the sizes the program carries
// its own icon they must show the same picture.

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The mean difference of two pictures of one size over every channel of every pixel, 0 to 1.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage first = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage second = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            const QRgb p = first.pixel(x, y);
            const QRgb q = second.pixel(x, y);
            sum += std::abs(qAlpha(p) - qAlpha(q)) + std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (4.0 * 255.0 * first.width() * first.height());
}

TEST(ThemeIcons, AreTheProgramsIconAtTheSizesItCarries)
{
    // The redraw follows the carried icon to within a pixel, but its edges are smoothed apart
    // from the original's: 1.8 % on the mean. A different picture of the program (the About
    // button's) differs by 28 %, so the measure tells them apart.
    constexpr double samePicture = 0.04;
    const struct {
        int size;
        const char* picture;
        bool same;
    } rows[] = {
        {32, "calvex.png", true},
        {64, "calvex@2x.png", true},
        {48, "about@2x.png", false},
    };
    for (const auto& row : rows) {
        const QImage drawn(QStringLiteral(CALVEX_ICONS_FOLDER "/%1x%1/apps/org.calvex.Calvex.png").arg(row.size));
        const QImage carried(QStringLiteral(CALVEX_IMAGES_FOLDER "/") + QString::fromLatin1(row.picture));
        ASSERT_EQ(drawn.size(), QSize(row.size, row.size)) << row.size;
        ASSERT_EQ(carried.size(), drawn.size()) << row.picture;
        const double difference = meanDifference(drawn, carried);
        EXPECT_EQ(difference < samePicture, row.same) << row.picture << ": " << difference;
    }
}

} // namespace
