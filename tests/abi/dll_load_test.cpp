// SPDX-License-Identifier: MIT
// Loads the DLL by name, the way a library caller in another language does, and calls the
// exports through pointers with the calling convention of the platform (__stdcall on 32 bits).
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using EvalFn = int32_t(__stdcall*)(const wchar_t*, double*, int32_t);
using DeEvalFn = double(__stdcall*)(const wchar_t*, int32_t);
using ErrDescrFn = const wchar_t*(__stdcall*)(int32_t, uint8_t);
using StrD0Fn = const wchar_t*(__stdcall*)(const wchar_t*);
using ElemOrderStFn = int32_t(__stdcall*)(const wchar_t*);
using InvFn = int32_t(__stdcall*)(double*, int32_t);
using DetFn = int32_t(__stdcall*)(const double*, int32_t, double*);

int failures = 0;

void Check(bool condition, const char* what) {
  std::printf("%s: %s\n", condition ? "ok" : "FAILED", what);
  if (!condition) ++failures;
}

template <typename Fn>
Fn Find(HMODULE dll, const char* name) {
  FARPROC address = GetProcAddress(dll, name);
  Check(address != nullptr, name);
  Fn fn = nullptr;
  static_assert(sizeof(fn) == sizeof(address));
  std::memcpy(&fn, &address, sizeof(fn));
  return fn;
}

// A Visual Basic caller's 3 x 3 array is column-major: A(i, j) at j * 3 + i. After telling the
// library so, the inverse comes back in the same layout and the determinant matches.
void CheckColumnMajorCaller(ElemOrderStFn elemOrderSt, InvFn inv, DetFn det) {
  // A = [[1, 2, 3], [0, 1, 4], [5, 6, 0]], det(A) = 1, stored by columns.
  double a[9] = {1, 0, 5, 2, 1, 6, 3, 4, 0};
  Check(elemOrderSt(L"VB") == 1, "aElemOrderSt(VB) selects column-major");
  double detA = 0;
  Check(det(a, 3, &detA) == -1 && std::fabs(detA - 1.0) < 1e-12, "aDet of the column-major array is 1");
  Check(inv(a, 3) == -1, "aInv succeeds");
  const double inverse[3][3] = {{-24, 18, 5}, {20, -15, -4}, {-5, 4, 1}};
  bool same = true;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) same = same && std::fabs(a[j * 3 + i] - inverse[i][j]) < 1e-12;
  Check(same, "aInv wrote the inverse back in column-major order");
  double detInverse = 0;
  Check(det(a, 3, &detInverse) == -1 && std::fabs(detInverse - 1.0) < 1e-9, "aDet of the inverse is 1/det(A)");
  elemOrderSt(L"C");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::puts("usage: dll_load_test <path of ulvXNpp.dll>");
    return 2;
  }
  std::wstring path(argv[1], argv[1] + std::strlen(argv[1]));
  HMODULE dll = LoadLibraryW(path.c_str());
  Check(dll != nullptr, "LoadLibraryW finds the DLL");
  if (dll == nullptr) return 1;

  auto eval = Find<EvalFn>(dll, "e_eval");
  auto deEval = Find<DeEvalFn>(dll, "de_eval");
  auto errDescr = Find<ErrDescrFn>(dll, "GetE_ErrDescr");
  auto strD0 = Find<StrD0Fn>(dll, "StrD0");
  auto elemOrderSt = Find<ElemOrderStFn>(dll, "aElemOrderSt");
  auto inv = Find<InvFn>(dll, "aInv");
  auto det = Find<DetFn>(dll, "aDet");
  if (failures != 0) return 1;

  double value = 0;
  Check(eval(L"2*pi", &value, 0) == 0, "e_eval(2*pi) returns type 0");
  Check(std::fabs(value - 6.2831853072) < 1e-12, "e_eval(2*pi) is 6.2831853072");
  Check(eval(L"1/0", &value, 0) == 8, "e_eval(1/0) returns code 8");
  Check(deEval(L"sum(1;2;3)", 0) == 6.0, "de_eval(sum(1;2;3)) is 6");
  Check(deEval(L"2 3", 0) == 2.0, "de_eval of leftover tokens returns code 2 as a double");
  Check(std::wstring(errDescr(8, 0)) == L"Division by zero             (Module: eval & sDiff)",
        "GetE_ErrDescr(8)");
  Check(std::wstring(strD0(L"2.5000000000")) == L"2.5", "StrD0(2.5000000000)");
  CheckColumnMajorCaller(elemOrderSt, inv, det);
  FreeLibrary(dll);
  return failures == 0 ? 0 : 1;
}
