#include "platform/texts.h"

#include <algorithm>

namespace platform {
namespace {

using C = SettingControl;

constexpr ControlCaption kJapaneseCaptions[] = {
    {C::Check2, L"Kestroを有効にする(&R)"},
    {C::Label1, L"終了時に再生・表示するファイル(&F)"},
    {C::Command3, L"..."},
    {C::Label5, L"表示時間(静止画のみ)(&I)"},
    {C::Label6, L"秒"},
    {C::Check3, L"動画・サウンドも表示時間で打ち切る(&C)"},
    {C::Frame1, L"サイズの設定"},
    {C::Command1, L"保存"},
    {C::Command2, L"終了"},
    {C::Check1, L"指定したサイズで表示する(&S)"},
    {C::Label3, L"幅"},
    {C::Label4, L"高さ"},
    {C::Frame2, L"場面ごとの設定"},
    {C::Label7, L"サインイン時に再生・表示するファイル(&N)"},
    {C::Command4, L"..."},
    {C::Label8, L"サインアウト時に再生・表示するファイル(&O)"},
    {C::Command5, L"..."},
    {C::Label9, L"空欄なら終了時と同じ"},
    {C::Label10, L"ロック時に再生するサウンド(&L)"},
    {C::Command6, L"..."},
    {C::Label11, L"ロック解除時に再生・表示するファイル(&U)"},
    {C::Command7, L"..."},
    {C::Label12, L"ファイルは上の欄で選びます"},
    {C::Label13, L"一緒に鳴らすサウンド(&W)"},
    {C::Command8, L"..."},
    {C::Label14, L"一緒に鳴らすサウンド(&W)"},
    {C::Command9, L"..."},
    {C::Label15, L"一緒に鳴らすサウンド(&W)"},
    {C::Command10, L"..."},
    {C::Label16, L"一緒に鳴らすサウンド(&W)"},
    {C::Command11, L"..."},
    {C::Check4, L"画面全体を黒で覆う(&B)"},
    {C::Command12, L"テスト(&T)"},
};

// The same controls, the access keys on the same letters.
constexpr ControlCaption kEnglishCaptions[] = {
    {C::Check2, L"&Run Kestro at every sign-in"},
    {C::Label1, L"&File to show or play at shut-down"},
    {C::Command3, L"..."},
    {C::Label5, L"T&ime for pictures"},
    {C::Label6, L"sec."},
    {C::Check3, L"&Cut videos and sounds at this time too"},
    {C::Frame1, L"Size"},
    {C::Command1, L"Save"},
    {C::Command2, L"Close"},
    {C::Check1, L"&Show at a fixed size"},
    {C::Label3, L"W"},
    {C::Label4, L"H"},
    {C::Frame2, L"Moments"},
    {C::Label7, L"File to show or play at sig&n-in"},
    {C::Command4, L"..."},
    {C::Label8, L"File to show or play at sign-&out"},
    {C::Command5, L"..."},
    {C::Label9, L"If empty, the shut-down file is used"},
    {C::Label10, L"Sound to play at &lock"},
    {C::Command6, L"..."},
    {C::Label11, L"File to show or play at &unlock"},
    {C::Command7, L"..."},
    {C::Label12, L"Its file is chosen above"},
    {C::Label13, L"Sound to play &with it"},
    {C::Command8, L"..."},
    {C::Label14, L"Sound to play &with it"},
    {C::Command9, L"..."},
    {C::Label15, L"Sound to play &with it"},
    {C::Command10, L"..."},
    {C::Label16, L"Sound to play &with it"},
    {C::Command11, L"..."},
    {C::Check4, L"Cover the whole screen with &black"},
    {C::Command12, L"&Test"},
};

constexpr Texts kJapanese = {
    L"の設定",
    kJapaneseCaptions,
    L"ファイルの参照",
    L"選んだファイルのパスが長すぎます。255 文字までのパスにあるファイルを選んでください。",
    L"利用できるファイル",
    L"画像ファイル",
    L"動画ファイル",
    L"音声ファイル",
    L"すべてのファイル",
    L"フォルダを選択してください。",
    L"Windows の終了",
    L"終了時の画像やサウンドを再生しています",
    L"サインイン時に Kestro を起動します。Kestro "
    L"の設定の「Kestroを有効にする」で登録・削除されます。",
    {L"終了時", L"サインイン時", L"サインアウト時", L"ロック時", L"ロック解除時"},
    L"この場面には再生・表示するファイルがありません。",
};

constexpr Texts kEnglish = {
    L" Settings",
    kEnglishCaptions,
    L"Choose a file",
    L"The path of the chosen file is too long. Choose a file whose path has at most 255 "
    L"characters.",
    L"Supported files",
    L"Pictures",
    L"Videos",
    L"Sounds",
    L"All files",
    L"Select a folder.",
    L"Shut Down Windows",
    L"Kestro is showing its picture or playing its sound for the end of the session",
    L"Starts Kestro at sign-in. \"Run Kestro at every sign-in\" in Kestro's settings adds and "
    L"removes it.",
    {L"Shut-down", L"Sign-in", L"Sign-out", L"Lock", L"Unlock"},
    L"This moment has no file to show or play.",
};

Language& Current() {
    static Language language = Language::Japanese;
    return language;
}

}  // namespace

Language LanguageOfUser(std::uint16_t languageId) {
    return (languageId & 0x3FFU) == kJapanesePrimaryLanguage ? Language::Japanese
                                                             : Language::English;
}

const Texts& TextsOf(Language language) {
    return language == Language::Japanese ? kJapanese : kEnglish;
}

void UseLanguage(Language language) { Current() = language; }

Language LanguageInUse() { return Current(); }

const Texts& CurrentTexts() { return TextsOf(Current()); }

std::wstring_view CaptionOf(SettingControl control) {
    const auto captions = CurrentTexts().captions;
    const auto entry = std::find_if(captions.begin(), captions.end(),
                                    [control](const auto& e) { return e.control == control; });
    return entry != captions.end() ? std::wstring_view(entry->caption) : std::wstring_view();
}

}  // namespace platform
