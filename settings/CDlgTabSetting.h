#pragma once

#include "PageBase.h"

class ImageButton;

// The settings page: one button that opens the program settings.
class CDlgTabSetting : public PageBase
{
    Q_OBJECT

public:
    explicit CDlgTabSetting(QWidget *parent = nullptr);

private:
    ImageButton *m_settings = nullptr;
};
