#pragma once

#include <QString>
#include <cstdint>

namespace pellimo {

class DataSource;

// The state of the page shown, which the window's procedures share.
struct FrmMainPageState {
    std::int16_t TabMode = 0; // a Page once the window is loaded
    DataSource* CurData = nullptr;
    QString OldDesc;
    QString NewDesc;
    QString FindCrit;
    std::int16_t BasRecCount = 0;
    bool PrevOn = false;
    bool NextOn = false;
    QString CardSQL;
    QString RepSQL;
    QString MsgText;
    double NewSetValue = 0;
    QString LogoPath;
};

} // namespace pellimo
