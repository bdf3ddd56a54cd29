#pragma once

// Pictures as a person sees them: a widget shows one of the program's
// pictures when it draws the same pixels as the picture's resource drawn
// at the widget's size.

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

inline ::testing::AssertionResult drawsPicture(const QImage& shown, const QString& resource)
{
    if (shown.isNull())
        return ::testing::AssertionFailure() << "no picture shown";
    const QImage expected = QIcon(resource).pixmap(shown.deviceIndependentSize().toSize()).toImage();
    if (expected.isNull())
        return ::testing::AssertionFailure() << "no picture " << resource.toStdString();
    if (shown.convertToFormat(expected.format()) != expected)
        return ::testing::AssertionFailure() << "another picture than " << resource.toStdString();
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult showsPicture(const QAbstractButton* button, const QString& resource)
{
    return drawsPicture(button->icon().pixmap(button->iconSize()).toImage(), resource);
}

inline ::testing::AssertionResult showsPicture(const QLabel* label, const QString& resource)
{
    return drawsPicture(label->pixmap().toImage(), resource);
}
