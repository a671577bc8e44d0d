#!/usr/bin/env python3
"""Writes the shipped curves: data/Curves20.crx and data/BtCurves/*.crv.

The curves are written here in UTF-8 and stored as Shift-JIS (code page 932) with CR LF line
ends, 25 lines per record. Run from anywhere: python3 scripts/make-curves.py
"""
import math
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
DATA = os.path.join(ROOT, "data")

# Colours: red in the low byte, written "$" and 8 upper-case hexadecimal digits.
def rgb(red, green, blue):
    return "$%08X" % (red | green << 8 | blue << 16)

BLACK, WHITE = "0", rgb(255, 255, 255)


def read_kinds(path):
    """The table of curve kinds (src/plot/CurveKinds.txt, which the program compiles in): for each
    Id, its facts by key (line3, line4, line5, uses, flags, ...)."""
    kinds = {}
    with open(path, encoding="utf-8") as table:
        for line in table:
            line = line.rstrip()
            if not line or line.startswith("#"):
                continue
            key, _, value = line.partition(" ")
            value = value.strip()
            if key == "kind":
                current = kinds.setdefault(int(value), {})
            else:
                current[key] = value
    return kinds


KINDS = read_kinds(os.path.join(ROOT, "src", "plot", "CurveKinds.txt"))
# The record lines 3 to 5 of each kind's curves, in the formula notation of the caption.
FORMULAS = {kind: (facts["line3"], facts["line4"], facts["line5"]) for kind, facts in KINDS.items()}
# Which of a, b, c each kind uses; the others are stored as "*" (not used).
USES = {kind: "" if facts["uses"] == "-" else facts["uses"] for kind, facts in KINDS.items()}


# Names in a typed formula that are not the parameters a, b, c.
FORMULA_WORDS = ("sin", "cos", "tan", "sqrt", "abs", "log", "ln", "exp", "pi")


def uses_of(formulas):
    """The parameters a, b, c a typed formula names (a rough reading, for checking the records)."""
    text = " ".join(formulas)
    for word in FORMULA_WORDS:
        text = text.replace(word, " ")
    return "".join(p for p in "abc" if p in text)


def curve(name, kind, a=None, b=None, c=None, theta=(0, 2), repeat=(1, 1), zoom=4, target="c",
          aux=0, step=0, background=0, line=WHITE, back=BLACK, width=1, notes=(), formulas=None):
    """One record as 25 UTF-8 lines. A typed-formula kind takes its record lines 3 to 5 as
    `formulas`; a, b and c are then exactly the ones the formula uses."""
    typed = USES[kind] == "formula"
    assert typed == (formulas is not None), name
    polar, x, y = formulas if typed else FORMULAS[kind]
    uses = uses_of(formulas) if typed else USES[kind]
    values = {"a": a, "b": b, "c": c}
    for p in "abc":
        if p in uses:
            assert values[p] is not None, (name, p)
        else:
            assert values[p] is None, (name, p)
    assert 1 <= zoom <= 6 and 0 <= step <= 5 and 0 <= background <= 6 and width in (1, 2)
    assert 1 <= len(notes) <= 5 or not notes
    number = lambda v: "*" if v is None else str(v)
    lines = [name, str(kind), polar, x, y, number(a), number(b), number(c),
             str(theta[0]), str(theta[1]), str(repeat[0]), str(repeat[1]), str(zoom), target,
             str(aux), str(step), str(background), line, back, str(width)]
    lines += list(notes) + ["*"] * (5 - len(notes))
    assert len(lines) == 25
    # The curve list and the notes list are about 44 half-width characters wide.
    assert len(name.encode("cp932")) <= 40, name
    for note in notes:
        assert len(note.encode("cp932")) <= 44, note
    return lines


# ---- The catalog: one curve of every kind but the hypotrochoid, which is the built-in curve, and
# the polar conic a second time with its eccentricity stepped. Notes are です・ます and suggest what
# to try with 「〜してみましょう」.
CATALOG = [
    curve("リサージュ曲線", 0, a=3, b=2, c=10, target="a", background=4, line=rgb(0, 0, 255),
          back=WHITE, width=2,
          notes=["振幅は c、x と y の角速度は a と b です", "a と b を 1 ずつ変えて形を比べてみましょう",
                 "a=b のときは線分になります", "補助線 にチェックを入れると、曲線を囲む",
                 "正方形が見えます"]),
    curve("エピサイクロイド（外サイクロイド）", 1, a=4, b=1, zoom=5, target="a", aux=1, step=3,
          line=rgb(255, 255, 0),
          notes=["半径 a の円の外側を半径 b の円がすべらずに", "転がるとき、転がる円の周上の1点が描く",
                 "曲線です。b=1 のまま a を 1 ずつ増やして",
                 "とがった点の数を数えてみましょう", "補助線を付けて STEP表示 してみましょう"]),
    curve("正葉曲線（三つ葉のバラ）", 2, a=3, b=1, c=12, target="a", background=1,
          line=rgb(255, 0, 0), back=WHITE, width=2,
          notes=["b=1 で a が奇数なら a 枚、偶数なら 2a 枚の", "花びらができます",
                 "b を 1 ずつ増やして花びらの重なりを", "見てみましょう"]),
    curve("サイクロイド", 4, a=2, theta=(-2, 2), target="a", aux=1, step=4, background=3,
          line=rgb(0, 0, 255), back=WHITE,
          notes=["半径 a の円が x 軸の上をすべらずに転がる", "とき、円周上の1点が描く曲線です",
                 "補助線を付けて STEP表示 してみましょう"]),
    curve("トロコイド", 5, a=2, b=3, theta=(-3, 3), repeat=(1, 4), zoom=3, target="b",
          background=3, line=rgb(0, 128, 0), back=WHITE,
          notes=["半径 a の円が x 軸の上をすべらずに転がる", "とき、中心から b の距離の点が描く曲線です",
                 "b<a なら波形、b=a でサイクロイド、", "b>a で輪ができます。反復で b を 1 から 4",
                 "まで変えて比べてみましょう"]),
    curve("アステロイド（星芒形）", 6, a=12, target="a", background=4, line=rgb(128, 0, 128),
          back=WHITE, width=2,
          notes=["半径 a の円の内側を半径 a/4 の円がすべらず", "に転がるとき、転がる円の周上の1点が",
                 "描く曲線です", "開始S を 2、終了E を 12 にして",
                 "a を反復してみましょう"]),
    curve("レムニスケート（連珠形）", 7, a=8, target="a", step=2, background=6,
          line=rgb(224, 96, 0), back=WHITE, width=2,
          notes=["2 点 (a, 0), (-a, 0) からの距離の積が", "a の 2 乗に等しい点の軌跡です",
                 "cos2θ<0 の θ では点が存在しないので、", "その間は点を原点に置いて描いています",
                 "STEP表示 で描かれる順序を確かめてみましょう"]),
    curve("エピトロコイド", 8, a=5, b=2, c=4, theta=(0, 4), line=rgb(0, 255, 255),
          notes=["半径 a の円の外側を半径 b の円がすべらずに", "転がるとき、中心から c の距離の点が",
                 "描く曲線です。c=b でエピサイクロイドです", "c を 1 ずつ変えて形を比べてみましょう",
                 "b を変えると θ終了 も変わります"]),
    curve("波打つ円", 9, a=8, b=6, c=2, target="b", background=5, line=rgb(0, 0, 255),
          back=WHITE, width=2,
          notes=["半径 a の円に振幅 c の波をのせた曲線です", "b は波の数です。b を 1 ずつ変えてみましょう",
                 "補助線 にチェックを入れると、半径 a と", "a+c の円が見えます"]),
    curve("カージオイド（心臓形）", 10, a=6, target="a", step=2, background=1,
          line=rgb(255, 0, 0), back=WHITE, width=2,
          notes=["ハートの形をした曲線です", "半径 a/2 の円の外側を同じ半径の円が",
                 "すべらずに転がるとき、転がる円の周上の", "1点が描く曲線でもあります",
                 "STEP表示 で r の変化を確かめてみましょう"]),
    curve("ハイポサイクロイド（内サイクロイド）", 11, a=10, b=2, theta=(0, 4), target="a", aux=1,
          step=4, line=rgb(128, 255, 128),
          notes=["半径 a の円の内側を半径 b の円がすべらずに", "転がるとき、転がる円の周上の1点が描く",
                 "曲線です", "a=12, b=3 でアステロイドになります",
                 "a=10, b=5 にすると線分になります"]),
    curve("アルキメデスのらせん", 12, a=1, b=2, theta=(0, 8), target="a", background=1,
          line=rgb(0, 0, 255), back=WHITE, width=2,
          notes=["r が θ に比例するので、θ が 2π 増える", "ごとに r は同じ幅 2aπ/b だけ増えます",
                 "θ開始 を -8 にしてみましょう"]),
    curve("対数らせん（等角らせん）", 13, a=1, b=10, c=4, theta=(-10, 4), target="a",
          background=5, line=rgb(0, 128, 0), back=WHITE, width=2,
          notes=["動径と接線のなす角が一定のらせんです", "オウムガイの殻の形に近い曲線です",
                 "a を -1 にすると巻き方が逆になります"]),
    curve("リチュース", 14, a=12, theta=(0, 8), target="a", background=6,
          line=rgb(128, 0, 128), back=WHITE,
          notes=["r^2θ=a^2 の曲線です。θ が 0 に近づくと", "x 軸に近づき、θ が大きくなると原点の",
                 "まわりを巻きながら近づきます", "θ≦0 では点が存在しません",
                 "θ終了 を大きくして近づき方を見てみましょう"]),
    curve("放物線", 15, a=1, theta=(-1, 1), target="a", aux=1, step=2, background=4,
          line=rgb(0, 0, 255), back=WHITE, width=2,
          notes=["θ を消去すると y^2=4ax になります", "焦点 (a, 0) と準線 x=-a からの距離が",
                 "等しい点の軌跡です", "補助線で焦点と準線が見えます", "a を -1 にすると左に開きます"]),
    curve("双曲線", 16, a=3, b=2, target="a", aux=1, step=4, background=4, line=rgb(0, 0, 255),
          back=WHITE, width=2,
          notes=["θ を消去すると x^2/a^2-y^2/b^2=1 です", "補助線は漸近線 y=±(b/a)x です",
                 "cosθ=0 の θ では点が無限に遠ざかります", "a と b を変えて漸近線の傾きを",
                 "比べてみましょう"]),
    curve("2次曲線（極方程式）", 17, a=1, b=2, c=4, target="a", aux=1, step=4, background=1,
          line=rgb(0, 0, 255), back=WHITE, width=2,
          notes=["焦点が極にある 2 次曲線で、離心率は e=a/b", "e<1 で楕円、e=1 で放物線、e>1 で双曲線",
                 "です。補助線は準線 x=cb/a です", "b=2 のまま a を 1 から 4 まで変えて",
                 "形の変わり方を見てみましょう"]),
    curve("2次曲線（極方程式）・離心率の変化", 17, a=1, b=4, c=2, repeat=(1, 5), target="a",
          background=1, line=rgb(128, 0, 128), back=WHITE, width=2,
          notes=["b=4 のまま a を 1 から 5 まで反復します", "e=a/b が 1 より小さい間は楕円、",
                 "e=1 で放物線、e>1 で双曲線になります", "焦点はどれも極（原点）にあります",
                 "STEP反復 で 1 つずつ確かめてみましょう"]),
    curve("直線（極方程式）", 18, a=1, b=3, c=5, target="a", aux=1, step=4, background=1,
          line=rgb(0, 0, 255), back=WHITE, width=2,
          notes=["極からの距離が c の直線です。補助線は", "極から下ろした垂線で、向きは aπ/b です",
                 "θ-aπ/b=±π/2 では点が無限に遠ざかります", "b=6 のまま a を 1 から 12 まで",
                 "反復してみましょう"]),
    curve("円の伸開線（インボリュート）", 19, a=1, theta=(0, 4), target="a", aux=1, step=4,
          background=4, line=rgb(0, 128, 0), back=WHITE, width=2,
          notes=["半径 a の円に巻いた糸を、ぴんと張ったまま", "ほどくとき、糸の端が描く曲線です",
                 "補助線で円と糸が見えます", "STEP表示 で糸がほどける様子を見てみましょう",
                 "歯車の歯の形に使われています"]),
    curve("原点を中心とする円", 20, a=10, target="a", background=3, line=rgb(255, 0, 0),
          back=WHITE, width=2,
          notes=["r が一定なので、原点を中心とする半径 a の", "円になります",
                 "開始S を 2、終了E を 14 にして", "a を反復してみましょう"]),
    curve("正弦曲線", 21, a=1, b=1, c=3, theta=(-4, 4), target="a", background=4,
          line=rgb(0, 0, 255), back=WHITE, width=2,
          notes=["x=θ とおくと y=c sin(ax/b) のグラフです", "振幅は c、周期は 2bπ/a です",
                 "a を 2, 3 と増やして周期の変化を", "見てみましょう"]),
    curve("余弦曲線", 22, a=1, b=1, c=3, theta=(-4, 4), target="b", background=4,
          line=rgb(255, 0, 0), back=WHITE, width=2,
          notes=["x=θ とおくと y=c cos(ax/b) のグラフです", "b を大きくすると周期が長くなります",
                 "正弦曲線を表示してから 上書き に", "チェックを入れてこの曲線を選ぶと、",
                 "π/2 だけずれているのがわかります"]),
    curve("楕円", 23, a=12, b=7, repeat=(2, 12), target="b", aux=1, background=3,
          line=rgb(0, 0, 255), back=WHITE,
          notes=["θ を消去すると x^2/a^2+y^2/b^2=1 です", "a=b のとき円になります",
                 "補助線は半径 a の円（補助円）です", "反復で b を変えて、楕円のつぶれ方を",
                 "見てみましょう"]),
    curve("平行移動した正弦曲線", 24, a=1, b=2, c=3, theta=(-4, 4), target="a", background=4,
          line=rgb(0, 128, 0), back=WHITE, width=2,
          notes=["y=c sin x のグラフを x 軸方向に", "-aπ/b だけ平行移動した曲線です",
                 "a=1, b=2 で y=c cos x と同じになります"]),
    curve("原点を通る円", 25, a=5, b=3, target="a", aux=1, background=1, line=rgb(128, 0, 128),
          back=WHITE, width=2,
          notes=["中心 (a, b) で原点を通る円です", "a, b を変えても必ず原点を通ります",
                 "補助線で中心が示されます"]),
]


# ---- Curves typed as formulas (kinds 26 媒介変数表示（式）, 27 極方程式（式）, 28 方程式（式）):
# the exercises of the textbook written as the textbook writes them, a range where it gives one.
def typed(name, kind, formulas, **settings):
    settings.setdefault("background", 1 if kind == 27 else 4)
    settings.setdefault("line", rgb(0, 0, 255))
    settings.setdefault("back", WHITE)
    settings.setdefault("width", 2)
    return curve(name, kind, formulas=formulas, **settings)


TYPED = [
    typed("平行移動した楕円", 28, ("*", "(x-2)^2/9+(y+1)^2/4=1", "*"), zoom=5,
          notes=["楕円 x^2/9+y^2/4=1 を x 軸方向に 2、", "y 軸方向に -1 だけ平行移動した楕円です",
                 "中心は (2, -1) です", "式の数を変えて動かしてみましょう"]),
    typed("平行移動した双曲線", 28, ("*", "(x-2)^2/4-(y+1)^2/9=1", "*"),
          notes=["双曲線 x^2/4-y^2/9=1 を x 軸方向に 2、", "y 軸方向に -1 だけ平行移動しました",
                 "漸近線も同じだけ動きます", "中心 (2, -1) を確かめてみましょう"]),
    typed("焦点が y 軸上にある双曲線", 28, ("*", "x^2/9-y^2/16=-1", "*"),
          notes=["右辺が -1 なので、頂点は (0, ±4)、", "焦点は (0, ±5) で y 軸上にあります",
                 "右辺を 1 にした双曲線と比べてみましょう"]),
    typed("放物線 x^2=4py", 28, ("*", "x^2=4ay", "*"), a=1, repeat=(1, 4), target="a", zoom=5,
          notes=["p を a で表しています。焦点は (0, a)、", "準線は y=-a です",
                 "反復で a を 1 から 4 まで変えて", "開き方を比べてみましょう"]),
    typed("回転した楕円", 28, ("*", "x^2+xy+y^2=3", "*"), zoom=5,
          notes=["xy の項があるので、軸が 45°回転した", "楕円です", "長軸は y=-x、短軸は y=x の上にあります",
                 "xy の係数を変えてみましょう"]),
    typed("直角双曲線 xy=1", 28, ("*", "xy=1", "*"), zoom=5,
          notes=["漸近線が x 軸と y 軸の双曲線です", "x^2-y^2=2 を 45°回転した形です",
                 "xy=-1 も描いてみましょう"]),
    typed("円の媒介変数表示（有理式）", 26, ("*", "x=a(1-t^2)/(1+t^2)", "y=2at/(1+t^2) (-10≦t≦10)"),
          a=5, target="a", aux=1, step=2,
          notes=["x^2+y^2=a^2 を満たします", "t を大きくしても点 (-a, 0) には届きません",
                 "STEP表示 で点の動きを見てみましょう"]),
    typed("放物線の媒介変数表示", 26, ("*", "x=t^2", "y=2t (-2≦t≦2)"), zoom=5, aux=1,
          notes=["t を消去すると y^2=4x になります", "-2≦t≦2 の部分だけを描いています",
                 "補助線を付けて STEP表示 すると、", "点 P と t の値が表示されます"]),
    typed("双曲線の媒介変数表示", 26, ("*", "x=t+1/t", "y=t-1/t (-6≦t≦6)"),
          notes=["t を消去すると x^2-y^2=4 になります", "t>0 で右の枝、t<0 で左の枝を描きます",
                 "t=0 では点がないので線は切れます"]),
    typed("直線の媒介変数表示", 26, ("*", "x=1+2t", "y=3-t (-4≦t≦4)"), zoom=5,
          notes=["点 (1, 3) を通り、方向ベクトルが", "(2, -1) の直線です",
                 "t を消去すると x+2y=7 になります"]),
    typed("リマソン r=1+2cosθ", 27, ("r=1+2cosθ", "*", "*"), zoom=5,
          notes=["r が負になる θ があるので、", "内側に小さなループができます",
                 "2 を 1 にするとカージオイドになります"]),
    typed("原点を通る円 r=2cosθ", 27, ("r=2cosθ (-π/2≦θ≦π/2)", "*", "*"), zoom=6,
          notes=["両辺に r を掛けると x^2+y^2=2x になり、", "中心 (1, 0)、半径 1 の円です",
                 "-π/2≦θ≦π/2 で円を 1 周します"]),
    typed("カージオイド r=1-sinθ", 27, ("r=1-sinθ", "*", "*"), zoom=6,
          notes=["とがった点が原点にあり、", "下向きのカージオイドです",
                 "sinθ を cosθ に変えてみましょう"]),
    typed("楕円の極方程式 r=3/(2+cosθ)", 27, ("r=3/(2+cosθ)", "*", "*"), zoom=5, aux=1, step=2,
          notes=["離心率 1/2 の楕円で、焦点が原点です", "分母の 2 を 1 にすると放物線、",
                 "1/2 にすると双曲線になります"]),
    typed("正接曲線 y=tanx", 28, ("*", "y=tan x", "*"), zoom=5,
          notes=["x=±π/2 などで値がなく、", "そこに漸近線があります",
                 "y=1/x や y=1/(1-x^2) も描いてみましょう"]),
]


def closing_end(kind, a, b):
    """θ end, in multiples of π, after which the curve has closed."""
    g = math.gcd(a, b)
    if kind in (3, 8):
        return 2 * (b // g)
    p, q = a // g, b // g  # rose: r = c sin(p/q θ)
    return q if (p * q) % 2 == 1 else 2 * q


def fitting_zoom(radius):
    """The largest zoom at which a curve of this radius stays inside the 256-pixel half picture."""
    for zoom in range(6, 0, -1):
        if radius * 2 ** zoom <= 240:
            return zoom
    return 1


def beautiful(name, kind, a, b, c, line, repeat=None, width=1, notes=()):
    """A hypotrochoid (3), epitrochoid (8) or rose (2) on black, closed and fitted to the picture."""
    top_c = repeat[1] if repeat else c
    radius = {3: abs(a - b) + top_c, 8: a + b + top_c, 2: top_c}[kind]
    return curve(name, kind, a=a, b=b, c=c, theta=(0, closing_end(kind, a, b)),
                 repeat=repeat or (1, 1), zoom=fitting_zoom(radius), target="c", line=line,
                 width=width, notes=notes)


BEAUTIFUL = [
    ("01-hoshi-no-wa", beautiful("星の輪（ハイポトロコイド）", 3, 5, 3, 5, rgb(255, 255, 0))),
    ("02-tsubaki", beautiful("椿（エピトロコイド）", 8, 5, 3, 5, rgb(255, 128, 160))),
    ("03-sakura", beautiful("桜（正葉曲線）", 2, 5, 1, 14, rgb(255, 183, 197), width=2)),
    ("04-hanabi", beautiful("花火（ハイポトロコイド）", 3, 12, 5, 8, rgb(255, 160, 0),
                            repeat=(1, 8), notes=["c が 1 から 8 まで広がります"])),
    ("05-kazaguruma", beautiful("風車（エピトロコイド）", 8, 6, 1, 4, rgb(0, 255, 255))),
    ("06-dahlia", beautiful("ダリア（正葉曲線）", 2, 7, 3, 14, rgb(255, 64, 64))),
    ("07-mangekyo", beautiful("万華鏡（ハイポトロコイド）", 3, 12, 7, 9, rgb(160, 160, 255))),
    ("08-haguruma", beautiful("歯車（エピトロコイド）", 8, 12, 1, 1, rgb(192, 192, 192), width=2,
                               notes=["c=b なのでエピサイクロイドです"])),
    ("09-kiku", beautiful("菊（正葉曲線）", 2, 8, 5, 14, rgb(255, 215, 0))),
    ("10-yuki", beautiful("雪の結晶（ハイポトロコイド）", 3, 12, 10, 1, rgb(255, 255, 255),
                          repeat=(1, 9), notes=["c を 1 から 9 まで反復します"])),
    ("11-asagao", beautiful("朝顔（エピトロコイド）", 8, 5, 4, 5, rgb(128, 160, 255))),
    ("12-lace", beautiful("レース編み（正葉曲線）", 2, 2, 7, 14, rgb(255, 255, 255))),
    ("13-hasu", beautiful("蓮の花（ハイポトロコイド）", 3, 11, 6, 8, rgb(255, 160, 224))),
    ("14-himawari", beautiful("ひまわり（エピトロコイド）", 8, 7, 2, 4, rgb(255, 255, 0))),
    ("15-uzu", beautiful("渦潮（正葉曲線）", 2, 3, 8, 14, rgb(64, 224, 208))),
    ("16-ginga", beautiful("銀河（ハイポトロコイド）", 3, 16, 9, 8, rgb(200, 160, 255))),
    ("17-sango", beautiful("珊瑚（エピトロコイド）", 8, 6, 5, 3, rgb(255, 127, 80))),
    ("18-hanakago", beautiful("花かご（正葉曲線）", 2, 6, 1, 14, rgb(255, 0, 255),
                              repeat=(2, 14), notes=["c を 2 から 14 まで反復します"])),
    ("19-tsuki", beautiful("月の輪（ハイポトロコイド）", 3, 8, 5, 8, rgb(255, 255, 192))),
    ("20-kaigara", beautiful("貝殻（エピトロコイド）", 8, 5, 3, 7, rgb(255, 200, 150))),
    ("21-kanmuri", beautiful("王冠（正葉曲線）", 2, 9, 4, 14, rgb(255, 215, 0), width=2)),
    ("22-kusari", beautiful("鎖（ハイポトロコイド）", 3, 10, 3, 6, rgb(128, 255, 128))),
    ("23-aurora", beautiful("オーロラ（エピトロコイド）", 8, 6, 2, 1, rgb(0, 255, 128),
                            repeat=(1, 6), notes=["c を 1 から 6 まで反復します"])),
    ("24-hoshizora", beautiful("星空（ハイポトロコイド）", 3, 17, 10, 8, rgb(255, 255, 255))),
    ("25-ajisai", beautiful("紫陽花（正葉曲線）", 2, 11, 10, 14, rgb(160, 128, 255))),
    ("26-suisha", beautiful("水車（エピトロコイド）", 8, 4, 3, 6, rgb(64, 192, 255))),
    ("27-hitode", beautiful("ヒトデ（ハイポトロコイド）", 3, 10, 8, 5, rgb(255, 140, 0),
                            repeat=(1, 5), notes=["c を 1 から 5 まで反復します"])),
    ("28-nagareboshi", beautiful("流れ星（ハイポトロコイド）", 3, 13, 8, 10, rgb(255, 255, 128))),
    ("29-hinagiku", beautiful("ひなぎく（正葉曲線）", 2, 10, 3, 14, rgb(255, 255, 255))),
    ("30-wakusei", curve("惑星の軌道（2次曲線）", 17, a=1, b=10, c=3, repeat=(1, 8), target="a",
                         line=rgb(255, 200, 64),
                         notes=["太陽を焦点とする楕円の軌道です",
                                "離心率 e=a/10 を 0.1 から 0.8 まで変えます"])),
    ("31-zenmai", curve("ぜんまい（円の伸開線）", 19, a=2, theta=(0, 8), zoom=2, target="a",
                        line=rgb(218, 165, 32))),
    ("32-ribon", curve("リボン（双曲線）", 16, a=4, b=3, repeat=(4, 12), zoom=3, target="a",
                       line=rgb(255, 120, 120), notes=["a を 4 から 12 まで反復します"])),
]


def encode(lines):
    return "".join(line + "\r\n" for line in lines).encode("cp932")


def write(path, lines):
    with open(path, "wb") as out:
        out.write(encode(lines))


def main():
    kinds = {3} | {int(record[1]) for record in CATALOG}
    missing = sorted(kind for kind in FORMULAS if USES[kind] != "formula" and kind not in kinds)
    # A collection shows at most 49 curves besides its built-in one.
    if len(CATALOG) > 49 or len(BEAUTIFUL) > 49 or missing:
        sys.exit("the catalog must hold at most 49 curves covering every kind; missing: %s" % missing)

    os.makedirs(DATA, exist_ok=True)
    write(os.path.join(DATA, "Curves20.crx"), [line for record in CATALOG for line in record])
    folder = os.path.join(DATA, "BtCurves")
    os.makedirs(folder, exist_ok=True)
    for old in os.listdir(folder):
        if old.lower().endswith(".crv"):
            os.remove(os.path.join(folder, old))
    for file_name, record in BEAUTIFUL:
        write(os.path.join(folder, file_name + ".crv"), record)
    os.makedirs(os.path.join(DATA, "UsCurves"), exist_ok=True)
    print("wrote %d catalog curves and %d curve files" % (len(CATALOG), len(BEAUTIFUL)))


if __name__ == "__main__":
    main()
