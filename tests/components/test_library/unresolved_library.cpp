// A shared library that needs a symbol nobody provides: it cannot be made
// ready when loaded.
extern "C" int KorvaTestSymbolNobodyDefines(int value);

extern "C" __attribute__((visibility("default"))) int KorvaTestUsesMissing(int value)
{
    return KorvaTestSymbolNobodyDefines(value);
}
