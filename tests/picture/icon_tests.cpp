#include "application_icon.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QSize>
#include <QtGlobal>

#include <iterator>

namespace {

using quorvex::application_icon_sizes;

TEST(ApplicationIcon, EverySizeIsBuiltIn)
{
    for (const int size : application_icon_sizes) {
        const QImage image(quorvex::application_icon_path(size));
        ASSERT_FALSE(image.isNull()) << size;
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(image.hasAlphaChannel()) << size;
        // Corners are transparent, the middle is opaque.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
    }
}

TEST(ApplicationIcon, OffersEverySize)
{
    const QList<QSize> sizes = quorvex::application_icon().availableSizes();
    EXPECT_EQ(sizes.size(), static_cast<qsizetype>(std::size(application_icon_sizes)));
    for (const int size : application_icon_sizes) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // No display needed: the tests only read images.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
