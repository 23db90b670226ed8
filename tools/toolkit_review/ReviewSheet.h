// The review tool renders windows as a user sees them, one PNG per sheet.
// Each topic adds its own Review<Topic>.cpp file that registers its sheets:
//
//     static QImage RenderMixPage() { ... }
//     ORVANE_REVIEW_SHEET("mix-page", RenderMixPage);
//
// A sheet usually shows both languages side by side, or registers one sheet
// per language ("main-cn", "main-en").
#pragma once

#include <QImage>

using ReviewRender = QImage (*)();

bool RegisterReviewSheet(const char* name, ReviewRender render);

#define ORVANE_REVIEW_CONCAT2(a, b) a##b
#define ORVANE_REVIEW_CONCAT(a, b) ORVANE_REVIEW_CONCAT2(a, b)
#define ORVANE_REVIEW_SHEET(name, render) \
    static const bool ORVANE_REVIEW_CONCAT(s_reviewSheet, __LINE__) = RegisterReviewSheet(name, render)
