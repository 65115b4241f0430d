#!/usr/bin/env python3
"""Writes expressions.tsv: expressions with values worked out here, independently of the evaluator.

Exact values come from Python integers and fractions (integer operators masked to 64 bits), transcendental ones
from mpmath at 256 bits. Columns: expression, context, expected, error position, error length, relative tolerance.
Expressions escape a tab as \\t, a backslash as \\\\ and other bytes outside printable ASCII as \\xHH (code page
1252). The context lists what is set before evaluating: X=, Y=, Z=, R= (LastResult), sep= (decimal separator),
$name=value (a variable; a lone $ attaches an empty list); - for nothing. An expected error is the message, with
its position and length in the next columns; an expected value has the position and length columns empty and a
tolerance of 0 (exact) or a relative bound.

Run: python3 make_expressions.py > expressions.tsv
"""
import math
import sys
from fractions import Fraction as F

import mpmath as mp

mp.mp.prec = 256
MASK = (1 << 64) - 1
REL = "1e-15"

rows = []


def i64(v):
    v &= MASK
    return v - (1 << 64) if v >> 63 else v


def trunc(v):
    return int(F(v))  # toward zero


def idiv(a, b):
    q = abs(a) // abs(b)
    return i64(q if (a < 0) == (b < 0) else -q)


def shl(a, count):
    count &= 0xFF
    return i64(a << count) if count < 64 else 0


def shr(a, count):
    count &= 0xFF
    return i64((a & MASK) >> count) if count < 64 else 0


def i32(v):
    v &= 0xFFFFFFFF
    return v - (1 << 32) if v >> 31 else v


def fib(n):
    a, b = 0, 1
    for _ in range(n):
        a, b = b, a + b
    return a


def m(text):
    return mp.mpf(text)


def val(expr, value, ctx="-"):
    if isinstance(value, int) and abs(value) <= 1 << 64:
        expected, tol = str(value), "0"
    elif isinstance(value, int):
        expected, tol = mp.nstr(mp.mpf(value), 30), REL
    elif isinstance(value, F) and value.denominator & (value.denominator - 1) == 0 and abs(value) < 1 << 63:
        expected, tol = mp.nstr(mp.mpf(value.numerator) / value.denominator, 40), "0"
    else:
        expected, tol = mp.nstr(mp.mpf(value.numerator) / value.denominator if isinstance(value, F) else value, 30), REL
    rows.append((expr, ctx, expected, "", "", tol))


def power80(text, n):
    """text ^ n as the evaluator works it out in 80-bit reals: by one multiplication after another, each rounded to
    64 bits of mantissa, up to a million of them; beyond that by squaring. A negative n gives the reciprocal."""
    with mp.workprec(64):
        a = mp.mpf(text)
        if abs(n) <= 1000000:
            r = a
            for _ in range(abs(n) - 1):
                r = r * a
        else:
            r, base, rest = mp.mpf(1), a, abs(n)
            while True:
                if rest & 1:
                    r = r * base
                rest >>= 1
                if not rest:
                    break
                base = base * base
        if n < 0:
            r = 1 / r
        return mp.nstr(r, 30)


def exact80(text, n):
    rows.append(("%s^%d" % (text, n), "-", power80(text, n), "", "", "0"))


def err(expr, message, pos, length, ctx="-"):
    rows.append((expr, ctx, message, str(pos), str(length), ""))


def escape(expr):
    out = []
    for ch in expr:
        if ch == "\\":
            out.append("\\\\")
        elif ch == "\t":
            out.append("\\t")
        elif ord(ch) < 0x20 or ord(ch) > 0x7E:
            out.append("\\x%02X" % ord(ch))
        else:
            out.append(ch)
    return "".join(out)


CUR = "\xa4"  # bitwise or
DIV0 = "Division by Zero"
OVER = "Floating Point Overflow"
INVALID = "Invalid Floating Point Operation"
RANGE = "Value out of 64-bit Integer Range"
SYNTAX = "Syntax Error"
BADCHAR = "Invalid or Misplaced Character"
MISSING = "Missing Operator"
CONVERT = "String Convertion Error"
NOTINT = "Value Must be an Integer"
FACTBOUNDS = "Factorial Level out of Bounds"
FIBBOUNDS = "Function Parameter out of Valid Bounds [0..23601]"
I64MIN, I64MAX = -(1 << 63), (1 << 63) - 1

# --- empty texts, blanks
val("", 0)
val("()", 0)
val("sin()", 0)
err(" ", BADCHAR, 1, 1)
err("   ", BADCHAR, 3, 1)
err("( )", BADCHAR, 2, 1)
val("2+3  ", 5)
err("2+ ", BADCHAR, 3, 1)
err("2+\t", BADCHAR, 3, 1)
val(" 1 + 2 ", 3)
val("\t1\t*\t3", 3)
val("  -  4", -4)
val("2 (3)", 6)

# --- + - * / and precedence
val("2+3*4", 14)
val("1+2*3^2", 19)
val("(1+2)*3", 9)
val("10-2-3", 5)
val("100/10/5", 2)
val("1-2+3", 2)
val("-1-1", -2)
val("2*-3", -6)
val("2--3", 5)
err("2---3", BADCHAR, 4, 1)
val("2++3", 5)
err("2+++3", CONVERT, 3, 1)
val("-+3", -3)
val("+5", 5)
err("+", CONVERT, 1, 1)
val("1/3", F(1, 3))
val("-7/2", F(-7, 2))
val("0.1+0.2", F(3, 10))
val("1e4000*1e-4000", mp.mpf(1))
val("2*(3+4)", 14)
val("((((1+2)*3)+4)*5)/6", F(65, 6))
val("123456789.125-987654.5*3/7+42", F(123456789125, 1000) - F(9876545, 10) * 3 / 7 + 42)
err("1/0", DIV0, 2, 1)
err("0/0", DIV0, 2, 1)
err("1e4932*10", OVER, 7, 1)
err("1.1e4932+1e4932", OVER, 9, 1)
err("-1.1e4932-1e4932", OVER, 10, 1)
err("1e4000(1e4000)", OVER, 7, 1)
err("1/0+2^99999", OVER, 6, 1)  # the power pass folds first
err("2^99999+1/0", OVER, 2, 1)
err("1/0*2^99999", OVER, 6, 1)
val("1e-4000*1e-4000", 0)

# --- powers and roots (left-associative)
val("2^3^2", 64)
val("-2^2", 4)
val("2^10", 1024)
val("2^-2", F(1, 4))
val("2^-1^2", F(1, 4))
val("0^0", 1)
val("0^5", 0)
val("0^0.5", 0)
err("0^-1", DIV0, 2, 1)
err("0^-0.5", DIV0, 2, 1)
val("(-2)^3", -8)
val("(-2)^2", 4)
err("(-8)^(1/3)", INVALID, 5, 1)
err("(-2)^2147483648", INVALID, 5, 1)
val("2^0.5", mp.sqrt(2))
val("1.5^2.5", m("1.5") ** m("2.5"))
val("10^-3", F(1, 1000))
val("0.5^-16000", 2**16000)
val("3^40", 3**40)
for text, n in [("1.1", 25), ("3.3", 17), ("0.7", 50), ("1.01", 1000), ("1.7", 33), ("0.9", 77), ("1.0001", 12345),
                ("1.3", -29), ("1.0000001", 1000000), ("1.0000001", 1000001), ("1.0000001", 2000000000)]:
    exact80(text, n)
err("1.5^2147483648", OVER, 4, 1)
val("0.5^2147483648", 0)
val("0.5^2147483647", 0)
val("1^2147483647", 1)
val("(-1)^2147483647", -1)
err("(-1)^2147483648", INVALID, 5, 1)
err("2^99999", OVER, 2, 1)
err("10^-4933", OVER, 3, 1)
val("4:2", mp.mpf(2))
val("27:3", mp.cbrt(27))
val("2^3:3", mp.mpf(2))
val("8:-3", mp.mpf(1) / 2)
err("8:0", DIV0, 2, 1)
err("(-8):3", INVALID, 5, 1)

# --- remainder, integer division, bitwise and shifts (64-bit)
val("7|3", 1)
val("-7|3", -1)
val("7|-3", 1)
val("7.5|2", F(3, 2))
val("-7.5|2", F(-3, 2))
val("5.25|0.5", F(1, 4))
err("7|0", DIV0, 2, 1)
val("7\\2", 3)
val("-7\\2", -3)
val("7\\-2", -3)
val("-1\\2", 0)
val("2.9\\1.9", 2)
val("9223372036854775807\\2", idiv(I64MAX, 2))
val("-9223372036854775808\\-1", idiv(I64MIN, -1))
val("0x8000000000000000\\3", idiv(I64MIN, 3))
err("5\\0", DIV0, 2, 1)
err("5\\0.5", DIV0, 2, 1)
err("9223372036854775808\\2", RANGE, 20, 1)
err("1\\-9223372036854775809", RANGE, 2, 1)
val("6&3", 2)
val("-1&0xFF", 255)
val("-2.7&-1", -2)
val("0x7FFFFFFFFFFFFFFF&-1", I64MAX)
val("0x8000000000000000&-1", I64MIN)
err("1e19&1", RANGE, 5, 1)
val("5" + CUR + "3", 7)
val("0xF0" + CUR + "0x0F", 255)
val("0x8000000000000000" + CUR + "1", i64(I64MIN | 1))
val("-1" + CUR + "0", -1)
val("6~3", 5)
val("5~-1", -6)
val("0x7FFFFFFFFFFFFFFF~-1", I64MIN)
val("1<4", 16)
val("1<62", shl(1, 62))
val("1<63", shl(1, 63))
val("1<64", 0)
val("3<127", 0)
val("1<256", 1)
val("1<257", 2)
val("-1<1", -2)
val("0x7FFFFFFFFFFFFFFF<1", shl(I64MAX, 1))
val("2.9<1.9", 4)
val("16>2", 4)
val("-1>1", shr(-1, 1))
val("-1>63", 1)
val("-1>64", 0)
val("-1>127", 0)
val("-16>0", -16)
val("0x8000000000000000>60", 8)
val("256>257", 128)
err("1e19>1", RANGE, 5, 1)
err("1>1e19", RANGE, 2, 1)

# --- comparison and the four passes
val("1+1=2", 1)
val("2=3", 0)
val("2*3=6=1", 1)
val("1=1=0", 0)
val("1+6&3", 3)
val("1" + CUR + "2*4", 9)
val("6~3+1", 6)
val("1+1<2", 5)
val("8>1+1", 5)
val("7|3*2", 2)
val("7\\2*2", 6)
val("2+3=5" + CUR + "0", 1)
val("10-4~2", 4)
val("2*3^2", 18)
val("1+2^3*2", 17)

# --- implicit multiplication
val("2(3)", 6)
val("2P", 2 * mp.pi)
val("(1)(2)", 2)
val("3x", 12, "X=4")
val("2X", 5, "X=2.5")
val("xyz", F(-9, 2), "X=2 Y=-3 Z=0.75")
val("2R", 14, "R=7")
val("P(2)", 2 * mp.pi)
val("2 X", 6, "X=3")
val("(2+3)(4-1)P", 15 * mp.pi)
err("2 3", MISSING, 2, 2)
err("2sin(1)", MISSING, 1, 2)
err("(1)2", MISSING, 3, 2)

# --- constants
val("P", mp.pi)
val("P/2", mp.pi / 2)
val("R", 7, "R=7")
val("R/2", 21, "R=42")
val("X+x", 5, "X=2.5")
val("Y*y", F(9, 4), "Y=-1.5")
val("Z-z", 0, "Z=3")
err("pi", SYNTAX, 1, 2)
err("p", SYNTAX, 1, 1)
err("r", SYNTAX, 1, 1)
err("Pi", MISSING, 1, 2)
err("2*pi", SYNTAX, 3, 2)

# --- literals in every base
val("0x1F", 31)
val("0xff", 255)
val("0xFFFFFFFF", 0xFFFFFFFF)
val("0x7FFFFFFFFFFFFFFF", I64MAX)
val("0x8000000000000000", I64MIN)
val("0xFFFFFFFFFFFFFFFF", -1)
val("0x00000000000000000001", 1)
err("0x10000000000000000", "Hexadecimal Number Exceeds 64 Bits", 1, 19)
err("1+$10000000000000000", "Hexadecimal Number Exceeds 64 Bits", 3, 18)
err("0x1g", MISSING, 3, 2)
val("0x", 0, "X=5")  # "0" then an implicit factor x
val("$1F", 31)
val("$abc", 0xABC)
val("$FFFFFFFFFFFFFFFF", -1)
val("$0FF", 255, "$FF=7")
val("$FF", 7, "$FF=7")
val("0o17", 15)
val("0o777", 511)
val("0o0017", 15)
val("0o37777777777", 0xFFFFFFFF)
val("0o40000000001", 1)
err("0o8", MISSING, 1, 2)
val("0b101", 5)
val("0b" + "1" * 64, -1)
val("0b1" + "0" * 63, I64MIN)
val("0b1" + "0" * 64, 0)
val("%101", 5)
val("%" + "1" * 32, 0xFFFFFFFF)
val("%1" + "0" * 32, 0)
val("-%11", -3)
val("1e3", 1000)
val("1E3", 1000)
val("1e+3", 1000)
val("1e-3", F(1, 1000))
val("1.5e2", 150)
val(".5", F(1, 2))
val("5.", 5)
val("00012", 12)
val("12345678901234567890", 12345678901234567890)
val("1e4932", 10**4932)
val("1e-4930", m("1e-4930"))
val("1e-5000", 0)
err("1.2.3", CONVERT, 1, 5)
err("2e", CONVERT, 1, 2)
err("1e5000", CONVERT, 1, 6)
err("3*1e5000", CONVERT, 3, 6)
err("1e2e3", CONVERT, 1, 5)
err(".", CONVERT, 1, 1)
val("1,5*2", 3, "sep=,")
val(",25", F(1, 4), "sep=,")
err("1.5", MISSING, 1, 2, "sep=,")
err("1,5", MISSING, 1, 2)

# --- prefixes and factorial
val("!0", 0xFFFFFFFF)
val("!5", 0xFFFFFFFA)
val("!-1", 0)
val("-!5", 4)
val("!0x100000000", 0xFFFFFFFF)
err("!1e19", RANGE, 1, 1)
err("!", BADCHAR, 1, 1)
err("1+!", BADCHAR, 3, 1)
val("5!", 120)
val("0!", 1)
val("20!", math.factorial(20))
val("25!", math.factorial(25))
val("1754!", math.factorial(1754))
val("3!+1", 7)
val("(1+2)!", 6)
val("2^3!", 64)
err("1755!", FACTBOUNDS, 5, 1)
err("-3!", FACTBOUNDS, 3, 1)
err("(2-5)!", FACTBOUNDS, 6, 1)
err("2.5!", NOTINT, -1, -1)
err("!5!", FACTBOUNDS, 3, 1)
err("5!!", MISSING, 2, 2)

# --- the 36 functions
val("abs(-2.5)", F(5, 2))
val("abs(3)", 3)
val("int(-2.7)", -2)
val("int(2.7)", 2)
val("int(1e30)", 10**30)
val("trunc(-2.7)", -2)
val("trunc(9223372036854775807)", I64MAX)
val("trunc(-9223372036854775808)", I64MIN)
err("trunc(9223372036854775808)", RANGE, 1, 5)
val("frac(-2.75)", F(-3, 4))
val("frac(3.25)", F(1, 4))
val("frac(7)", 0)
val("round(2.5)", 2)
val("round(3.5)", 4)
val("round(-2.5)", -2)
val("round(-2.6)", -3)
val("round(0.5)", 0)
val("round(1.4999)", 1)
err("round(1e19)", RANGE, 1, 5)
val("floor(-2.5)", -3)
val("floor(2.5)", 2)
val("floor(-3)", -3)
val("ceil(-2.5)", -2)
val("ceil(2.1)", 3)
val("ceil(4)", 4)
val("sqrt(2)", mp.sqrt(2))
val("sqrt(0)", 0)
val("sqrt(1e4000)", 10**2000)
err("sqrt(-1)", INVALID, 1, 4)
val("fact(0)", 1)
val("fact(5)", 120)
val("fact(170)", math.factorial(170))
val("fact(1754)", math.factorial(1754))
err("fact(1755)", FACTBOUNDS, -1, -1)
err("fact(-1)", FACTBOUNDS, -1, -1)
err("fact(2.5)", NOTINT, -1, -1)
val("fib(0)", 0)
val("fib(1)", 1)
val("fib(2)", 1)
val("fib(10)", 55)
val("fib(93)", fib(93))
val("fib(1000)", fib(1000))
val("fib(23601)", fib(23601))
err("fib(23602)", FIBBOUNDS, -1, -1)
err("fib(-1)", FIBBOUNDS, -1, -1)
err("fib(1.5)", NOTINT, -1, -1)
val("fib2(0)", 0)
val("fib2(10)", 55)
val("fib2(65546)", 55)  # low 16 bits
val("fib2(90)", fib(90))
val("fib2(23600)", fib(23600))
err("fib2(23601)", OVER, 1, 4)  # its last step computes F(23602)
val("fib3(0)", 0)
val("fib3(1)", 1)
val("fib3(65556)", fib(20))
val("fib3(23601)", fib(23601))
err("fib3(23602)", OVER, 1, 4)
val("fib4(0)", 0)
val("fib4(1)", 1)
val("fib4(10)", 55)
val("fib4(30)", 832040)
val("fib4(80)", fib(80))
val("swapendian(0x12345678)", 0x78563412)
val("swapendian(-1)", 0xFFFFFFFF)
val("swapendian(0x1FF)", 0xFF010000)
val("byte(0x1234)", 0x34)
val("lobyte(-1)", 255)
val("word(0x12345678)", 0x5678)
val("loword(-1)", 0xFFFF)
val("dword(-1)", 0xFFFFFFFF)
val("dword(0x123456789)", 0x23456789)
val("hiword(0x12345678)", 0x1234)
val("hiword(-1)", 0xFFFF)
val("hibyte(0x1234)", 0x12)
val("hibyte(0xABCDEF)", 0xCD)
val("not(0)", -1)
val("not(5)", -6)
val("not(0x100000000)", -1)
val("nots(0)", -1)
val("nots(-1)", 0)
val("notu(0)", 0xFFFFFFFF)
val("notu(5)", 0xFFFFFFFA)
err("dword(1e19)", RANGE, 1, 5)
val("sin(1)", mp.sin(1))
val("sin(P/6)", mp.mpf(1) / 2)
val("sin(-2.5)", mp.sin(m("-2.5")))
val("cos(1)", mp.cos(1))
val("cos(P)", mp.mpf(-1))
val("cos(0)", 1)
val("tan(1)", mp.tan(1))
val("tan(-0.5)", mp.tan(m("-0.5")))
val("arcsin(1)", mp.pi / 2)
val("arcsin(0.5)", mp.pi / 6)
val("arccos(0)", mp.pi / 2)
val("arccos(-1)", mp.pi)
val("arccos(0.3)", mp.acos(m("0.3")))
err("arccos(2)", INVALID, 1, 6)
err("arcsin(-1.5)", INVALID, 1, 6)
val("arctan(1)", mp.pi / 4)
val("arctan(-3)", mp.atan(-3))
val("exp(1)", mp.e)
val("exp(0)", 1)
val("exp(-1)", mp.exp(-1))
val("exp(11356)", mp.exp(11356))
val("exp(-20000)", 0)
err("exp(11357)", OVER, 1, 3)
val("ln(10)", mp.log(10))
val("ln(1)", 0)
val("ln(0.001)", mp.log(m("0.001")))
err("ln(0)", DIV0, 1, 2)
err("ln(-1)", INVALID, 1, 2)
val("log2(1024)", mp.mpf(10))
val("log2(3)", mp.log(3, 2))
val("log10(1000)", mp.mpf(3))
val("log10(2)", mp.log10(2))
err("log10(0)", DIV0, 1, 5)
err("log2(-8)", INVALID, 1, 4)
val("lnxp(1e-10)", mp.log1p(m("1e-10")))
val("lnxp(1)", mp.log(2))
err("lnxp(-1)", DIV0, 1, 4)
err("lnxp(-2)", INVALID, 1, 4)
val("-sin(P/2)", mp.mpf(-1))
val("sqrt(sqrt(16))", 2)
val("sin(cos(0)-1)", 0)
val("abs (-2)", 2)
val("2(3+4)^2 - sin(P/2)", mp.mpf(97))

# --- variables
V = "$rate=2 $k_x=0.5 $A=-3"
val("$rate*3", 6, V)
val("$k_x+1", F(3, 2), V)
val("-$rate", -2, V)
val("$rate!", 2, V)
val("$A^2", 9, V)
err("$Rate", "Undefined Variable: Rate", 2, 4, V)
err("1+$none", "Undefined Variable: none", 4, 4, V)
err("$rate1", MISSING, 5, 2, V)
err("2$rate", MISSING, 1, 2, V)
err("$ rate", BADCHAR, 1, 1, V)
err("$", BADCHAR, 1, 1, V)
err("$abc", "Undefined Variable: abc", 2, 3, "$")
err("$rate", BADCHAR, 1, 1)

# --- grammar faults and their places
err("(1+2", "Matching Parenthesis Missing", 2, 1)
err("2*(3", "Matching Parenthesis Missing", 4, 1)
err("((1)", "Matching Parenthesis Missing", 2, 1)
err("sin 1", SYNTAX, 1, 5)
err("sin(", SYNTAX, 1, 3)
err("1+abc", SYNTAX, 3, 3)
err("1+2)", SYNTAX, 4, 5)
err("(1))", SYNTAX, 4, 5)
err("5)", SYNTAX, 2, 3)
err("1+", SYNTAX, 2, 2)
err("(1*)", SYNTAX, 3, 2)
err("1*-", SYNTAX, 3, 2)
err("2+()", SYNTAX, 3, 2)
err("SIN(1)", "Undefined Function: SIN", 1, 3)
err("2*bar(1)", "Undefined Function: bar", 3, 3)
err("sin(SIN(1))", "Undefined Function: SIN", 5, 3)
err("foo (1)", "Undefined Function: foo", 2, 3)
err("_f(1)", "Undefined Function: _f", 1, 2)
err("#", BADCHAR, 1, 1)
err("2*)", BADCHAR, 3, 1)
err(CUR, BADCHAR, 1, 1)
err("1" + CUR, SYNTAX, 2, 2)
err("1" + CUR + "(2*(3+(4" + CUR + ")))", SYNTAX, 11, 2)
err("(1+(2*(3+(#))))", BADCHAR, 11, 1)
err("(1+(2*(3+(4#))))", MISSING, 11, 2)
err("(1+(2*(3+(4 5))))", MISSING, 12, 2)
val("-", 0)
val("(" * 256 + "1" + ")" * 256, 1)
err("(" * 257 + "1" + ")" * 257, "Too Many Nested Parentheses", 257, 1)

out = sys.stdout
out.write("# expression\tcontext\texpected\terror_pos\terror_len\ttolerance\n")
for expr, ctx, expected, pos, length, tol in rows:
    out.write("\t".join((escape(expr), ctx, expected, pos, length, tol)) + "\n")
print("%d rows" % len(rows), file=sys.stderr)
