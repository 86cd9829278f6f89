// Stand-in for the engine library in binding tests: records nothing, answers fixed values.
// Built twice: with both entries, and without DualLineImp (FAKE_SIMULATE_ONLY).

extern "C" __attribute__((visibility("default"))) int Simulate(char* netlist, double* time, double*, double*,
                                                                double*) {
    time[0] = 42.0;
    return netlist[0] == '*' ? 1 : 0;
}

#ifndef FAKE_SIMULATE_ONLY
extern "C" __attribute__((visibility("default"))) void DualLineImp(double* h, double*, double*, double*, double* ze,
                                                                   double*, double* zo, double*) {
    *ze = *h * 2;
    *zo = *h * 3;
}
#endif
