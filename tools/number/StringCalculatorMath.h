#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The evaluator's arithmetic: operators, functions and the checks that turn the platform's arithmetic faults into
// ECalcStrSyntaxError. `pos`/`len` are where a fault is reported.
namespace calc {

[[noreturn]] void Fault(const std::string& message, int32_t pos, int32_t len);

// Raises "Floating Point Overflow" for an infinity and "Invalid Floating Point Operation" for a NaN.
long double Checked(long double value, int32_t pos, int32_t len);

// Truncation toward zero; a value outside the signed 64-bit range is a fault.
int64_t Trunc64(long double value, int32_t pos, int32_t len);

bool IsIntegral(long double value);
long double Factorial(int n);  // n in 0..1754
long double Power(long double a, long double b, int32_t pos, int32_t len);

// Operator codes 1..14 by character (0: not an operator), their folding pass 1..4, and their application.
uint8_t OperatorCode(char c);
int OperatorPass(uint8_t code);
long double ApplyOperator(uint8_t code, long double a, long double b, int32_t pos);

// Function index by name, -1 for a name not in the table.
int FindFunction(std::string_view name);
long double ApplyFunction(int function, long double a, int32_t pos, int32_t len);

}  // namespace calc
