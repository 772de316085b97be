// The page-setup options and margins without the dialog.
#include <gtest/gtest.h>

#include "page_setup.h"

using namespace korva::components;

TEST(PageSetup, OptionSetRules)
{
    struct Case {
        TPageOptions before;
        TPageOptions set;
        TPageOptions after;
    };
    const Case cases[] = {
        {{poDefaultMinMargins}, {poMinMargins}, {poMinMargins}},
        {{}, {poDefaultMinMargins, poMinMargins}, {poDefaultMinMargins}},
        {{poMinMargins}, {poDefaultMinMargins, poMinMargins}, {poDefaultMinMargins}},
        {{poDefaultMinMargins}, {poDefaultMinMargins, poMinMargins}, {poMinMargins}},
        {{poHundredthsOfMillimeters}, {poHundredthsOfMillimeters, poThousandthsOfInches}, {poThousandthsOfInches}},
        {{}, {poHundredthsOfMillimeters, poThousandthsOfInches}, {poHundredthsOfMillimeters}},
        {{poThousandthsOfInches}, {poHundredthsOfMillimeters, poMargins}, {poHundredthsOfMillimeters, poMargins}},
        {{}, {poDisableMargins, poDisablePaper, poDisablePrinter}, {poDisableMargins, poDisablePaper, poDisablePrinter}},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        TPageSetup setup;
        setup.SetOptions(TPageOptions{}); // nothing newly added: taken as it is
        setup.SetOptions(c.before);
        setup.SetOptions(c.set);
        EXPECT_EQ(setup.Options(), c.after);
    }

    TPageSetup fresh;
    EXPECT_EQ(fresh.Options(), (TPageOptions{poDefaultMinMargins, poHundredthsOfMillimeters}));
    EXPECT_EQ(fresh.MarginLeft(), 0);
    EXPECT_EQ(fresh.MinMarginBottom(), 0);
    // The plot window's options: margins in thousandths of an inch.
    fresh.SetOptions({poDefaultMinMargins, poThousandthsOfInches});
    EXPECT_EQ(fresh.Options(), (TPageOptions{poDefaultMinMargins, poThousandthsOfInches}));
}

TEST(PageSetup, MarginSettersClampInTheOrderTheyAreSet)
{
    TPageSetup setup;
    setup.SetMinMarginLeft(500); // above the margin 0: held at it
    EXPECT_EQ(setup.MinMarginLeft(), 0);
    setup.SetMarginLeft(600);
    setup.SetMinMarginLeft(500);
    setup.SetMarginLeft(200);
    EXPECT_EQ(setup.MarginLeft(), 500);
    setup.SetMarginTop(300);
    setup.SetMinMarginTop(800);
    EXPECT_EQ(setup.MinMarginTop(), 300);
    setup.SetMarginRight(700);
    setup.SetMinMarginRight(650);
    setup.SetMarginRight(100);
    EXPECT_EQ(setup.MarginRight(), 650);
    setup.SetMarginBottom(50);
    setup.SetMinMarginBottom(-10);
    setup.SetMarginBottom(-40);
    EXPECT_EQ(setup.MarginBottom(), -10);

    setup.SetMargins({1000, 1000, 1000, 1000});
    EXPECT_EQ(setup.MarginLeft(), 1000);
    setup.SetMargins({0, 0, 0, 0});
    EXPECT_EQ(setup.MarginLeft(), 500);
    EXPECT_EQ(setup.MarginTop(), 300);
    EXPECT_EQ(setup.MarginRight(), 650);
    EXPECT_EQ(setup.MarginBottom(), 0);
}

TEST(PageSetup, WhatTheDialogShowsAndWhatPrintingTakes)
{
    TPageSetup setup;
    setup.SetOptions({poDefaultMinMargins, poThousandthsOfInches});
    setup.SetMargins({500, 750, 1000, 1250});
    // Without poMargins the dialog opens with the default margins of an inch.
    EXPECT_EQ(setup.InitialMargins().Left, 1000);
    EXPECT_EQ(setup.InitialMargins().Bottom, 1000);
    EXPECT_EQ(setup.LowestMargins().Left, 0);
    EXPECT_EQ(setup.MarginsInThousandthsOfInch().Top, 750);

    setup.SetOptions({poMargins, poMinMargins, poThousandthsOfInches});
    setup.SetMinMarginLeft(250);
    EXPECT_EQ(setup.InitialMargins().Left, 500);
    EXPECT_EQ(setup.InitialMargins().Bottom, 1250);
    EXPECT_EQ(setup.LowestMargins().Left, 250);
    EXPECT_TRUE(setup.MarginsEnabled());

    TPageSetup metric;
    EXPECT_EQ(metric.InitialMargins().Left, 2540);
    metric.SetMargins({2540, 1270, 127, 0});
    const TPageMargins inches = metric.MarginsInThousandthsOfInch();
    EXPECT_EQ(inches.Left, 1000);
    EXPECT_EQ(inches.Top, 500);
    EXPECT_EQ(inches.Right, 50);
    EXPECT_EQ(inches.Bottom, 0);
    metric.SetOptions({poDisableMargins});
    EXPECT_FALSE(metric.MarginsEnabled());
}

TEST(PageSetup, AMarginIsKeptInWholeMarginUnits)
{
    // Thousandths of an inch, hundredths of a millimetre; halves to even.
    TPageSetup inches;
    inches.SetOptions({poThousandthsOfInches});
    EXPECT_EQ(inches.MarginUnits(0.12345L), 123);
    EXPECT_EQ(inches.KeptMargin(0.12345L), 0.123L);
    EXPECT_EQ(inches.MarginUnits(0.0625L), 62); // 62.5
    EXPECT_EQ(inches.KeptMargin(0.5L), 0.5L);
    TPageSetup millimetres;
    EXPECT_EQ(millimetres.MarginUnits(12.3456L), 1235);
    EXPECT_EQ(millimetres.KeptMargin(12.3456L), 12.35L);
    EXPECT_EQ(millimetres.MarginUnits(0.125L), 12); // 12.5
    EXPECT_EQ(millimetres.KeptMargin(25.4L), 25.4L);
}

TEST(PageSetup, MarginsThatLeaveLessThanAnInchToPrintOnAreRefused)
{
    TPageSetup setup;
    setup.SetOptions({poDefaultMinMargins, poThousandthsOfInches});
    // A4 until the printer's paper is set: 8.27 x 11.69 in.
    EXPECT_EQ(setup.PaperWidth(), 8268);
    EXPECT_EQ(setup.PaperLength(), 11693);
    EXPECT_EQ(setup.MarginsRefusal({5000, 5000, 5000, 5000}),
              "These margins leave less than 1 inch (25.4 mm) each way to print on the paper of 8.27 x 11.69 in: "
              "the printable area would be 0.00 x 1.69 in.\rPlease make the margins smaller.");
    struct Case {
        TPageMargins margins;
        bool refused;
    };
    for (const Case& c : {Case{{0, 0, 0, 0}, false}, Case{{1000, 1000, 1000, 1000}, false},
                          Case{{3600, 0, 3600, 0}, false},  // 1.07 in wide
                          Case{{3700, 0, 3600, 0}, true},   // 0.97 in
                          Case{{0, 5000, 0, 5600}, false},  // 1.09 in high
                          Case{{0, 5000, 0, 5800}, true}}) // 0.89 in
        EXPECT_EQ(!setup.MarginsRefusal(c.margins).empty(), c.refused)
            << c.margins.Left << " " << c.margins.Top << " " << c.margins.Right << " " << c.margins.Bottom;

    // On US Letter 3.7 in at each side leaves 1.1 in.
    setup.SetPaperInches(8.5L, 11);
    EXPECT_EQ(setup.PaperWidth(), 8500);
    EXPECT_TRUE(setup.MarginsRefusal({3700, 0, 3700, 0}).empty());
    // In millimetres: the sizes in millimetres.
    TPageSetup metric;
    EXPECT_EQ(metric.PaperWidth(), 21000);
    EXPECT_EQ(metric.MarginsRefusal({10000, 0, 10500, 0}),
              "These margins leave less than 1 inch (25.4 mm) each way to print on the paper of 210 x 297 mm: "
              "the printable area would be 5 x 297 mm.\rPlease make the margins smaller.");
    EXPECT_TRUE(metric.MarginsRefusal({9000, 2540, 9000, 2540}).empty()); // 30 mm wide
}

TEST(PageSetup, DialogOpensCentredAThirdDown)
{
    EXPECT_EQ(CenteredOnScreen({0, 0, 1920, 1080}, 320, 180), (TPixelPoint{800, 300}));
    EXPECT_EQ(CenteredOnScreen({1920, 0, 3200, 1024}, 300, 200), (TPixelPoint{2410, 274}));
    EXPECT_EQ(CenteredOnScreen({0, 0, 640, 480}, 800, 600), (TPixelPoint{-80, -40}));
}
