// A tiny shared library that the loader tests load and call.
extern "C" __attribute__((visibility("default"))) int KorvaTestTwice(int value)
{
    return 2 * value;
}
