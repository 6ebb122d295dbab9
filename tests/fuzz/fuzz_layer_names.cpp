// The layer-name language on arbitrary names: code substitution, "$" splitting and
// every parameter reader of each operation the name makes.

#include <algorithm>
#include <cctype>

#include "fuzz_input.h"
#include "input/entity_store.h"
#include "input/layer_codes.h"
#include "input/operator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string name(mq::fuzz::Text(data, size));
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  mq::EntityStore store;
  store.Reset();
  mq::DrawingEntity record;
  record.EntityType = "LINE";
  record.Layer = name;
  store.Entities.push_back(record);
  mq::SubstituteTwoLetterCodes(store);
  mq::PrepareLayers(store);
  mq::SilentOperator nobody;
  for (int i = 2; i <= store.LastIndex();) {
    mq::LoadEntity(store, i, mq::NoteSources{}, nobody);
    mq::EntityRegisters& r = store.Current;
    volatile float sink = mq::CodeD(r) + mq::CodeF(r) + mq::CodeFA(r) + mq::CodeFD(r) + mq::CodeFR(r) +
                          mq::CodeZ(r) + mq::CodeK(r) + mq::CodeOZ(r) + mq::CodePD(r) + mq::CodeLD(r) +
                          mq::CodeRI(r) + mq::CodeRO(r);
    volatile int whole = mq::CodeT(r) + mq::CodeS(r) + mq::CodeG(r) + mq::CodeM(r) + mq::CodeES(r);
    (void)sink, (void)whole;
  }
  return 0;
}
