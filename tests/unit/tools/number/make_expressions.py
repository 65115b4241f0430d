#!/usr/bin/env python3
# Writes expressions.tsv: expressions with values worked out here, independently of the evaluator.
#
# Exact values come from Python integers and fractions (integer operators masked to 64 bits), transcendental ones
# from mpmath at 256 bits. Columns: expression, context, expected, error position, error length, relative tolerance.
# Expressions are bytes of code page 1252 with a tab written as \t. The context lists what is set before
# evaluating: X=, Y=, Z=, R= (LastResult), sep= (decimal separator), $name=value (a variable; a lone $ attaches an
# empty list); - for nothing. An expected error is the message, with its position and length in the next columns;
# an expected value has the position and length columns empty and a tolerance of 0 (exact) or a relative bound.
#
# Run: python3 make_expressions.py > expressions.tsv
import math
import sys
from fractions import Fraction as F

import mpmath as mp

mp.mp.prec = 256
rows = []


def fib(n):
    a, b = 0, 1
    for _ in range(n):
        a, b = b, a + b
    return a


def power80(text, n):
    # text ^ n as the evaluator works it out in 80-bit reals: by one multiplication after another, each rounded to
    # 64 bits of mantissa, up to a million of them; beyond that by squaring. A negative n gives the reciprocal.
    with mp.workprec(64):
        a = r = mp.mpf(text)
        if abs(n) <= 1000000:
            for _ in range(abs(n) - 1):
                r = r * a
        else:
            r, rest = mp.mpf(1), abs(n)
            while rest:
                if rest & 1:
                    r = r * a
                rest >>= 1
                a = a * a
        return mp.nstr(1 / r if n < 0 else r, 30)


def vals(cases):  # (expression, value[, context])
    for expr, value, *ctx in cases:
        exact = isinstance(value, int) and abs(value) <= 1 << 64
        if isinstance(value, F):  # exact when the denominator is a power of two
            exact = value.denominator & (value.denominator - 1) == 0 and abs(value) < 1 << 63
            value = mp.mpf(value.numerator) / value.denominator
        expected = str(value) if exact and isinstance(value, int) else mp.nstr(mp.mpf(value), 40 if exact else 30)
        rows.append((expr, ctx[0] if ctx else "-", expected, "", "", "0" if exact else "1e-15"))


def errs(cases):  # (expression, message, position, length[, context])
    for expr, message, pos, length, *ctx in cases:
        rows.append((expr, ctx[0] if ctx else "-", message, str(pos), str(length), ""))


CUR = "\xa4"  # bitwise or
DIV0, OVER, INVALID = "Division by Zero", "Floating Point Overflow", "Invalid Floating Point Operation"
RANGE, SYNTAX, MISSING = "Value out of 64-bit Integer Range", "Syntax Error", "Missing Operator"
BADCHAR, CONVERT, NOTINT = "Invalid or Misplaced Character", "String Convertion Error", "Value Must be an Integer"
FACTBOUNDS, FIBBOUNDS = "Factorial Level out of Bounds", "Function Parameter out of Valid Bounds [0..23601]"
HEX64, NESTING = "Hexadecimal Number Exceeds 64 Bits", "Too Many Nested Parentheses"
I64MIN, I64MAX = -(1 << 63), (1 << 63) - 1
m = mp.mpf

# Blanks, the four arithmetic operators and their precedence; of two faults, the one of the power pass comes first.
vals([("", 0), ("()", 0), ("sin()", 0), ("2+3  ", 5), ("\t1\t*\t3", 3), ("  -  4", -4), ("2 (3)", 6), ("1+2*3^2", 19),
      ("10-2-3", 5), ("100/10/5", 2), ("2*-3", -6), ("2--3", 5), ("-+3", -3), ("1/3", F(1, 3)), ("0.1+0.2", F(3, 10)),
      ("1e4000*1e-4000", m(1)), ("((((1+2)*3)+4)*5)/6", F(65, 6)), ("1e-4000*1e-4000", 0),
      ("123456789.125-987654.5*3/7+42", F(123456789125, 1000) - F(9876545, 10) * 3 / 7 + 42), ("2^63+1-2^63", 1),
      ("(1+2^-63)=1", 0), ("18446744073709551615", 18446744073709551615)])
errs([(" ", BADCHAR, 1, 1), ("   ", BADCHAR, 3, 1), ("( )", BADCHAR, 2, 1), ("2+ ", BADCHAR, 3, 1),
      ("2---3", BADCHAR, 4, 1), ("2+++3", CONVERT, 3, 1), ("+", CONVERT, 1, 1), ("1/0", DIV0, 2, 1),
      ("1e4932*10", OVER, 7, 1), ("1.1e4932+1e4932", OVER, 9, 1), ("-1.1e4932-1e4932", OVER, 10, 1),
      ("1e4000(1e4000)", OVER, 7, 1), ("1/0+2^99999", OVER, 6, 1), ("2^99999+1/0", OVER, 2, 1)])

# Powers (left-associative) and roots; whole powers as repeated 80-bit multiplication.
vals([("2^3^2", 64), ("-2^2", 4), ("2^-2", F(1, 4)), ("2^-1^2", F(1, 4)), ("0^0", 1), ("0^0.5", 0), ("(-2)^3", -8),
      ("2^0.5", mp.sqrt(2)), ("10^-3", F(1, 1000)), ("0.5^-16000", 2**16000), ("3^40", 3**40), ("0.5^2147483648", 0),
      ("1^2147483647", 1), ("(-1)^2147483647", -1), ("27:3", mp.cbrt(27)), ("2^3:3", m(2)), ("8:-3", m(1) / 2)])
for text, n in [("1.1", 25), ("3.3", 17), ("0.7", 50), ("1.01", 1000), ("1.7", 33), ("0.9", 77), ("1.0001", 12345),
                ("1.3", -29), ("1.0000001", 1000000), ("1.0000001", 1000001), ("1.0000001", 2000000000)]:
    rows.append(("%s^%d" % (text, n), "-", power80(text, n), "", "", "0"))
errs([("0^-1", DIV0, 2, 1), ("(-8)^(1/3)", INVALID, 5, 1), ("(-2)^2147483648", INVALID, 5, 1),
      ("1.5^2147483648", OVER, 4, 1), ("(-1)^2147483648", INVALID, 5, 1), ("10^-4933", OVER, 3, 1), ("8:0", DIV0, 2, 1),
      ("(-8):3", INVALID, 5, 1)])

# Remainder, integer division, bitwise operators and shifts (64-bit).
vals([("7|3", 1), ("-7|3", -1), ("7|-3", 1), ("7.5|2", F(3, 2)), ("7\\2", 3), ("-7\\2", -3), ("2.9\\1.9", 2),
      ("9223372036854775807\\2", I64MAX // 2), ("-9223372036854775808\\-1", I64MIN), ("6&3", 2), ("-2.7&-1", -2),
      ("0x8000000000000000&-1", I64MIN), ("5" + CUR + "3", 7), ("0x8000000000000000" + CUR + "1", I64MIN + 1),
      ("6~3", 5), ("0x7FFFFFFFFFFFFFFF~-1", I64MIN), ("1<63", I64MIN), ("1<64", 0), ("1<256", 1), ("1<257", 2),
      ("0x7FFFFFFFFFFFFFFF<1", -2), ("2.9<1.9", 4), ("-1>1", I64MAX), ("-1>63", 1), ("-16>0", -16),
      ("0x8000000000000000>60", 8), ("256>257", 128)])
errs([("7|0", DIV0, 2, 1), ("5\\0", DIV0, 2, 1), ("5\\0.5", DIV0, 2, 1), ("9223372036854775808\\2", RANGE, 20, 1),
      ("1\\-9223372036854775809", RANGE, 2, 1), ("1e19&1", RANGE, 5, 1), ("1e19>1", RANGE, 5, 1),
      ("1>1e19", RANGE, 2, 1)])

# Comparison and the four passes; implicit multiplication; constants.
vals([("1+1=2", 1), ("2*3=6=1", 1), ("1=1=0", 0), ("1+6&3", 3), ("1" + CUR + "2*4", 9), ("6~3+1", 6), ("1+1<2", 5),
      ("7|3*2", 2), ("2+3=5" + CUR + "0", 1), ("1+2^3*2", 17), ("2P", 2 * mp.pi), ("(1)(2)", 2), ("P(2)", 2 * mp.pi),
      ("(2+3)(4-1)P", 15 * mp.pi), ("P", mp.pi)])
vals([("3x", 12, "X=4"), ("xyz", F(-9, 2), "X=2 Y=-3 Z=0.75"), ("2R", 14, "R=7"), ("2 X", 6, "X=3"),
      ("X+x", 5, "X=2.5"), ("Y-Z", F(-9, 2), "Y=-1.5 Z=3"), ("0x", 0, "X=5")])  # "0x": 0 times x
errs([("2 3", MISSING, 2, 2), ("2sin(1)", MISSING, 1, 2), ("(1)2", MISSING, 3, 2), ("pi", SYNTAX, 1, 2),
      ("Pi", MISSING, 1, 2), ("2*pi", SYNTAX, 3, 2)])
errs([("1+x", INVALID, 3, 1, "X=inf"), ("2*$big", INVALID, 3, 4, "$big=nan")])  # values must be finite

# Literals in every base, and the locale's decimal separator.
vals([("0x1F", 31), ("0x8000000000000000", I64MIN), ("0xFFFFFFFFFFFFFFFF", -1), ("0x00000000000000000001", 1),
      ("$1F", 31), ("0o37777777777", 0xFFFFFFFF), ("0o40000000001", 1), ("0b101", 5), ("0b" + "1" * 64, -1),
      ("0b1" + "0" * 63, I64MIN), ("0b1" + "0" * 64, 0), ("%101", 5), ("%1" + "0" * 32, 0), ("-%11", -3), ("1e3", 1000),
      ("1e-3", F(1, 1000)), (".5", F(1, 2)), ("5.", 5), ("12345678901234567890", 12345678901234567890),
      ("1e4932", 10**4932), ("1e-4930", m("1e-4930")), ("1e-5000", 0)])
vals([("$0FF", 255, "$FF=7"), ("$FF", 7, "$FF=7"), ("1,5*2", 3, "sep=,"), (",5+1,25", F(7, 4), "sep=,")])
errs([("0x10000000000000000", HEX64, 1, 19), ("1+$10000000000000000", HEX64, 3, 18), ("0x1g", MISSING, 3, 2),
      ("0o8", MISSING, 1, 2), ("1.2.3", CONVERT, 1, 5), ("2e", CONVERT, 1, 2), ("1e5000", CONVERT, 1, 6),
      ("3*1e5000", CONVERT, 3, 6), ("1e2e3", CONVERT, 1, 5), (".", CONVERT, 1, 1), ("1,5", MISSING, 1, 2)])
errs([("1.5", MISSING, 1, 2, "sep=,"), ("1,2,3", CONVERT, 1, 5, "sep=,")])

# The prefix "!" and the factorial.
vals([("!0", 0xFFFFFFFF), ("!5", 0xFFFFFFFA), ("!-1", 0), ("-!5", 4), ("!0x100000000", 0xFFFFFFFF), ("5!", 120),
      ("25!", math.factorial(25)), ("1754!", math.factorial(1754)), ("(1+2)!", 6), ("2^3!", 64)])
errs([("!1e19", RANGE, 1, 1), ("!", BADCHAR, 1, 1), ("1+!", BADCHAR, 3, 1), ("1755!", FACTBOUNDS, 5, 1),
      ("-3!", FACTBOUNDS, 3, 1), ("(2-5)!", FACTBOUNDS, 6, 1), ("2.5!", NOTINT, -1, -1), ("!5!", FACTBOUNDS, 3, 1),
      ("5!!", MISSING, 2, 2)])

# The functions; fib2 fails at 23601 because its last step computes F(23602).
vals([("abs(-2.5)", F(5, 2)), ("int(-2.7)", -2), ("int(1e30)", 10**30), ("trunc(-2.7)", -2),
      ("trunc(-9223372036854775808)", I64MIN), ("frac(-2.75)", F(-3, 4)), ("round(2.5)", 2), ("round(3.5)", 4),
      ("round(-2.5)", -2), ("round(-2.6)", -3), ("floor(-2.5)", -3), ("ceil(-2.5)", -2), ("sqrt(2)", mp.sqrt(2)),
      ("sqrt(1e4000)", 10**2000), ("fact(5)", 120), ("fact(1754)", math.factorial(1754)), ("fib(93)", fib(93)),
      ("fib(23601)", fib(23601)), ("fib2(65546)", 55), ("fib2(23600)", fib(23600)), ("fib3(65556)", fib(20)),
      ("fib3(23601)", fib(23601)), ("fib4(80)", fib(80)), ("swapendian(0x12345678)", 0x78563412),
      ("byte(0x1234)", 0x34), ("word(0x12345678)", 0x5678), ("dword(-1)", 0xFFFFFFFF),
      ("dword(0x123456789)", 0x23456789), ("hiword(0x12345678)", 0x1234), ("hibyte(0xABCDEF)", 0xCD), ("not(5)", -6),
      ("not(0x100000000)", -1), ("notu(5)", 0xFFFFFFFA), ("sin(1)", mp.sin(1)), ("sin(P/6)", m(1) / 2),
      ("cos(P)", m(-1)), ("tan(1)", mp.tan(1)), ("arcsin(0.5)", mp.pi / 6), ("arccos(-1)", mp.pi),
      ("arctan(-3)", mp.atan(-3)), ("exp(11356)", mp.exp(11356)), ("exp(-20000)", 0), ("ln(10)", mp.log(10)),
      ("log2(1024)", m(10)), ("log2(3)", mp.log(3, 2)), ("lnxp(1e-10)", mp.log1p(m("1e-10"))), ("-sin(P/2)", m(-1)),
      ("abs (-2)", 2), ("2(3+4)^2 - sin(P/2)", m(97))])
errs([("trunc(9223372036854775808)", RANGE, 1, 5), ("round(1e19)", RANGE, 1, 5), ("sqrt(-1)", INVALID, 1, 4),
      ("1 + sqrt(-4)", INVALID, 5, 4), ("fact(1755)", FACTBOUNDS, -1, -1), ("fact(-1)", FACTBOUNDS, -1, -1),
      ("fact(2.5)", NOTINT, -1, -1), ("fib(23602)", FIBBOUNDS, -1, -1), ("fib(-1)", FIBBOUNDS, -1, -1),
      ("fib(1.5)", NOTINT, -1, -1), ("fib2(23601)", OVER, 1, 4), ("fib3(23602)", OVER, 1, 4),
      ("dword(1e19)", RANGE, 1, 5), ("arccos(2)", INVALID, 1, 6), ("arcsin(-1.5)", INVALID, 1, 6),
      ("exp(11357)", OVER, 1, 3), ("ln(0)", DIV0, 1, 2), ("ln(-1)", INVALID, 1, 2), ("log10(0)", DIV0, 1, 5),
      ("log2(-8)", INVALID, 1, 4), ("lnxp(-1)", DIV0, 1, 4), ("lnxp(-2)", INVALID, 1, 4)])

# Variables: names compared exactly, the first of two equal names wins.
V = "$rate=2 $k_x=0.5 $A=-3"
vals([("$rate*3", 6, V), ("$k_x+1", F(3, 2), V), ("$rate!", 2, V), ("$A^2", 9, V), ("$a", 1, "$a=1 $a=2")])
errs([("$Rate", "Undefined Variable: Rate", 2, 4, V), ("1+$none", "Undefined Variable: none", 4, 4, V),
      ("$rate1", MISSING, 5, 2, V), ("2$rate", MISSING, 1, 2, V), ("$ rate", BADCHAR, 1, 1, V), ("$", BADCHAR, 1, 1, V),
      ("$abc", "Undefined Variable: abc", 2, 3, "$"), ("$rate", BADCHAR, 1, 1)])

# Grammar faults and their places; the argument is evaluated before the function name is looked up.
vals([("-", 0), ("(" * 256 + "1" + ")" * 256, 1)])
errs([("(1+2", "Matching Parenthesis Missing", 2, 1), ("sin 1", SYNTAX, 1, 5), ("sin(", SYNTAX, 1, 3),
      ("1+abc", SYNTAX, 3, 3), ("1+2)", SYNTAX, 4, 5), ("5)", SYNTAX, 2, 3), ("1+", SYNTAX, 2, 2),
      ("(1*)", SYNTAX, 3, 2), ("2+()", SYNTAX, 3, 2), ("SIN(1)", "Undefined Function: SIN", 1, 3),
      ("SIN(1+)", SYNTAX, 6, 2), ("SIN(1/0)", DIV0, 6, 1), ("2*bar(1)", "Undefined Function: bar", 3, 3),
      ("sin(SIN(1))", "Undefined Function: SIN", 5, 3), ("_f(1)", "Undefined Function: _f", 1, 2), ("#", BADCHAR, 1, 1),
      ("2*)", BADCHAR, 3, 1), (CUR, BADCHAR, 1, 1), ("1" + CUR, SYNTAX, 2, 2),
      ("1" + CUR + "(2*(3+(4" + CUR + ")))", SYNTAX, 11, 2), ("(1+(2*(3+(#))))", BADCHAR, 11, 1),
      ("(1+(2*(3+(4#))))", MISSING, 11, 2), ("(1+(2*(3+(4 5))))", MISSING, 12, 2),
      ("(" * 257 + "1" + ")" * 257, NESTING, 257, 1), ("abs(" * 257 + "1" + ")" * 257, NESTING, 4 * 256 + 4, 1)])

sys.stdout.reconfigure(encoding="latin-1")
print("# expression\tcontext\texpected\terror_pos\terror_len\ttolerance")
for expr, ctx, expected, pos, length, tol in rows:
    print("\t".join((expr.replace("\t", "\\t"), ctx, expected, pos, length, tol)))
print("%d rows" % len(rows), file=sys.stderr)
