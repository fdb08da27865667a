// Placeholder until the sample car generator lands.
#include "cli/sample_car.h"

#include "model/messages.h"

bool buildSampleCar(int) { return false; }
bool writeSampleCar(const std::string&, int) {
    showError("the sample car generator is not built yet");
    return false;
}
