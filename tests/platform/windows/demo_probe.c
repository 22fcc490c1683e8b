/* A library for the demos' loader to find beside the program: one function. */
__declspec(dllexport) int TX_probe_answer(void)
{
    return 42;
}
