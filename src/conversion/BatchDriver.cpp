#include "conversion/BatchDriver.h"

#include "app/TMainForm.h"

BatchDriver::BatchDriver(TMainForm& form) : QObject(&form), m_form(form) {}

void BatchDriver::Start() {}
void BatchDriver::Stop() {}
void BatchDriver::Tick() {}
void BatchDriver::WindowClosing() {}
