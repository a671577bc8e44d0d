// The about box: the product label, the version label set at every showing, and "戻る".
#pragma once

#include "ui/Controls.h"

class TfrmVersion : public TForm {
public:
    TfrmVersion();
    TLabel lblProductName{*this, "lblProductName", "Quorbel 媒介変数と曲線"};
    TLabel lblVersion{*this, "lblVersion"};
    TButton btnOK{*this, "btnOK", "戻る", mrOk};
    void FormShow() override { lblVersion.SetCaption("Version 2.52 2004.07.13"); }
};
