"""What the program says, in each of its languages, as a student sees it:
the console dialogue and its error lines, the window's (and the page's)
title, the display errors, the page's labels and what the page says when
it cannot load its module. The desktop tests
(tests/app/) and the page tests (tests/web/) expect the same texts.

``JAPANESE`` and ``ENGLISH`` are ``Texts``; ``LANGUAGES`` holds both, the
default (Japanese) first. ``unknown_language(name)`` is the line that
refuses ``--lang name``.
"""


class Texts:
    def __init__(self, code, head, prompt, help, bad_count, input_ended, title, no_display,
                 bare_display, program_ended, buttons, name, switch, hint, needs_server,
                 downloads):
        self.code = code                    # the --lang value and the page's lang attribute
        self.HEAD = head                    # dialogue title and step heading
        self.PROMPT = prompt                # ends in "z1 z2= "
        self.HELP = help                    # the key help, all lines
        self.BAD_COUNT = bad_count          # standard error, with its line feed
        self.INPUT_ENDED = input_ended      # standard error
        self.TITLE = title                  # window and page title
        self.NO_DISPLAY = no_display        # "%s": the display's name
        self.BARE_DISPLAY = bare_display
        self.PROGRAM_ENDED = program_ended  # the page's console after Esc
        self.BUTTONS = buttons              # the key buttons, left to right
        self.NAME = name                    # on its language switch button
        self.SWITCH = switch                # the switch's label
        self.HINT = hint                    # in the drawing before the first counts
        self.NEEDS_SERVER = needs_server    # the site's index.html opened from disk
        self.DOWNLOADS = downloads          # outline SVG, outline DXF, picture SVG

    def dialogue(self, prompts=1):
        """Standard output of a dialogue that asked prompts times, to the key help."""
        return self.HEAD + self.PROMPT * prompts + self.HELP


JAPANESE = Texts(
    code="ja",
    head=("\n１対標準歯車のかみ合いシミュレーションン"
          "\n(1) 歯車１，２の歯数設定"),
    prompt="\n\u3000  歯車１、２の歯数入力 z1 z2= ",
    help=("\n'1' '2'キーで：１歯車・２歯車描画の選択"
          "\n'3'キーで\u3000\u3000：１，２歯車かみ合い図の選択"
          "\n's'キーで    ：かみ合い運動描画継続"
          "\n'r' 'R'キーで：かみ合い運動順逆の変更"
          "\n'w' 'W'キーで：図の縮小拡大"
          "\n'z'キーで    ：１，２歯車の歯数変更"
          "\nESCキーで\u3000\u3000：終了"),
    bad_count="歯数は1から149までの整数で入力してください\n",
    input_ended="\n歯数を読む前に入力が終わりました\n",
    title=("１対歯車のかみ合い\u3000z:歯数変更，1,2,3：描画歯車選択，"
           "w,W:縮小拡大，r,R:正逆回転，s:かみ合い継続"),
    no_display=("ディスプレイ「%s」を開けません。Xサーバーを起動し、DISPLAYか-displayで"
                "その名前（例 :0）を指定してください\n"),
    bare_display=("-displayの後にディスプレイ名がありません。"
                  "-display :0 のように名前を続けてください\n"),
    program_ended="\nプログラムを終了しました",
    buttons=["1 駆動歯車", "2 従動歯車", "3 かみ合い", "s コマ送り", "r 正転", "R 逆転",
             "w 縮小", "W 拡大", "z 歯数変更", "Esc 終了",
             "学習表示", "x 転位 \u22120.1", "X 転位 +0.1"],
    name="日本語",
    switch="表示言語",
    hint="歯数を入力すると図が現れます",
    needs_server=("\nこのページはWebサーバーから開いてください。ファイルから直接開くときは"
                  " gearmesh.html を使ってください。"),
    downloads=["歯形 SVG", "歯形 DXF", "図 SVG"],
)

ENGLISH = Texts(
    code="en",
    head=("\nMeshing simulation of a pair of standard gears"
          "\n(1) Tooth counts of gears 1 and 2"),
    prompt="\n    Enter the tooth counts: z1 z2= ",
    help=("\n'1' '2' keys: gear 1 or gear 2 alone"
          "\n'3' key     : both gears in mesh"
          "\n's' key     : turn the mesh one step"
          "\n'r' 'R' keys: forward or reverse"
          "\n'w' 'W' keys: zoom out or in"
          "\n'z' key     : new tooth counts"
          "\nESC key     : quit"),
    bad_count="Enter the tooth counts as whole numbers from 1 to 149\n",
    input_ended="\nThe input ended before the tooth counts were read\n",
    title=("A pair of gears in mesh - z: new counts; 1,2,3: gears shown; w,W: zoom out/in; "
           "r,R: forward/reverse; s: step"),
    no_display=("Cannot open the display \"%s\". Start an X server and give its name "
                "(for example :0) in DISPLAY or with -display\n"),
    bare_display="-display has no display name after it: give one, as in -display :0\n",
    program_ended="\nThe program has ended",
    buttons=["1 drive", "2 driven", "3 mesh", "s step", "r forward", "R reverse",
             "w zoom out", "W zoom in", "z new counts", "Esc quit",
             "study view", "x shift \u22120.1", "X shift +0.1"],
    name="English",
    switch="Language",
    hint="Enter the tooth counts to see the gears",
    needs_server=("\nThis page needs a web server. To open it straight from a file, use"
                  " gearmesh.html."),
    downloads=["outline SVG", "outline DXF", "picture SVG"],
)

LANGUAGES = (JAPANESE, ENGLISH)


def unknown_language(name):
    """The one line on standard error for --lang name, in every language."""
    return ("--langの言語「%s」はありません。ja（日本語）かen（英語）を指定してください"
            " / Unknown language \"%s\" for --lang: give ja (Japanese) or en (English)\n"
            % (name, name))
