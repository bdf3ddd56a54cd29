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
    // Opens a new settings window; nothing is refreshed when it closes.
    void OnSettings();

    ImageButton *m_settings = nullptr;
};
