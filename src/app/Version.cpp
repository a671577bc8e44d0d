#include "app/Version.h"

TfrmVersion::TfrmVersion() : TForm("frmVersion", "バージョン情報") {
    Width = 413;
    Height = 320;
    btnOK.OnClick = [this] { Close(mrOk); };
}
