#include "dialogue/texts.h"

namespace gearmesh {

namespace {

const char* const TEXTS[] = {
    "\n１対標準歯車のかみ合いシミュレーションン",
    "\n(1) 歯車１，２の歯数設定",
    "\n　  歯車１、２の歯数入力 z1 z2= ",
    "\n'1' '2'キーで：１歯車・２歯車描画の選択",
    "\n'3'キーで　　：１，２歯車かみ合い図の選択",
    "\n's'キーで    ：かみ合い運動描画継続",
    "\n'r' 'R'キーで：かみ合い運動順逆の変更",
    "\n'w' 'W'キーで：図の縮小拡大",
    "\n'z'キーで    ：１，２歯車の歯数変更",
    "\nESCキーで　　：終了",
    "歯数は1から149までの整数で入力してください\n",
    "\n歯数を読む前に入力が終わりました\n",
    // Long texts are split over two lines; the parentheses tell the compiler
    // that the halves make one text.
    ("１対歯車のかみ合い　z:歯数変更，1,2,3：描画歯車選択，w,W:縮小拡大，r,R:正逆回転，s:"
     "かみ合い継続"),
    ("ディスプレイ「%s」を開けません。Xサーバーを起動し、DISPLAYか-displayで"
     "その名前（例 :0）を指定してください\n"),
    "-displayの後にディスプレイ名がありません。-display :0 のように名前を続けてください\n",
    "\nプログラムを終了しました",
    // English: "This page needs a web server. To open it straight from a
    // file, use gearmesh.html."
    ("\nこのページはWebサーバーから開いてください。ファイルから直接開くときは "
     "gearmesh.html を使ってください。"),
};

static_assert(sizeof TEXTS / sizeof TEXTS[0] == static_cast<int>(ConsoleText::NEEDS_SERVER) + 1,
              "one text for every ConsoleText");

}  // namespace

const char* utf8Text(ConsoleText text) {
    return TEXTS[static_cast<int>(text)];
}

}  // namespace gearmesh
