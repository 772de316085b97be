#pragma once
// A printed page read back as a PDF viewer reads it (Poppler): its words,
// where they stand, and the page rendered to pixels.
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QRectF>
#include <QString>
#include <poppler-qt6.h>

namespace korva::test {

struct PrintedPdf {
    explicit PrintedPdf(const QString& path) : document(Poppler::Document::load(path))
    {
        if (document && document->numPages() > 0)
            page = document->page(0);
    }
    // The words with their boxes, in points from the page's top-left.
    struct Word {
        std::string Text;
        QRectF Box;
    };
    std::vector<Word> WordBoxes() const
    {
        std::vector<Word> words;
        for (const auto& box : page->textList())
            words.push_back({box->text().toStdString(), box->boundingBox()});
        return words;
    }
    QImage Render(double dpi) const { return page->renderToImage(dpi, dpi).convertToFormat(QImage::Format_RGB32); }

    // The words on the page, and whether every word lies inside the margins
    // (in points, 72 an inch).
    std::vector<std::string> Words() const
    {
        std::vector<std::string> words;
        for (const auto& box : page->textList())
            words.push_back(box->text().toStdString());
        return words;
    }
    bool TextInside(double margin) const
    {
        const QSizeF size = page->pageSizeF();
        const QRectF inside(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin);
        for (const auto& box : page->textList())
            if (!inside.contains(box->boundingBox()))
                return false;
        return true;
    }
    // True when the strips of this width along the four edges are white.
    bool MarginsWhite(int margin) const
    {
        const QImage image = Render(72);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool inMargin =
                    x < margin || y < margin || x >= image.width() - margin || y >= image.height() - margin;
                if (inMargin && image.pixel(x, y) != qRgb(255, 255, 255))
                    return false;
            }
        return true;
    }
    bool AnythingInside(int margin) const
    {
        const QImage image = Render(72);
        for (int y = margin; y < image.height() - margin; ++y)
            for (int x = margin; x < image.width() - margin; ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    }
    std::unique_ptr<Poppler::Document> document;
    std::unique_ptr<Poppler::Page> page;
};

} // namespace korva::test
