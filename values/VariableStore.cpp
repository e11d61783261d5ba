#include "values/VariableStore.h"

#include "values/HostFailure.h"
#include "values/InterpreterError.h"
#include "values/WordTable.h"

namespace korvelin {

namespace {
constexpr std::int32_t ImplicitBound = 10;
} // namespace

VariableStore::VariableStore(WordTable& words) : valuePool(PoolSlots), words_(words) {
    variableTable.reserve(VariableSlots);
    clearVariables();
}

void VariableStore::clearVariables() {
    ++generation;
    variableTable.clear();
    scalarIndex_.assign(scalarIndex_.size(), -1);
    arrayIndex_.assign(arrayIndex_.size(), -1);
    nextFreeSlot = 0;
    resetDefaultTypes();
    valuePool[ScratchStringSlot] = Value::bytes({});
    valuePool[ScratchNumberSlot] = Value::integer(0);
}

std::int32_t VariableStore::findOrCreate(int nameId, LookupMode mode) {
    const bool scalarRequest = subscriptRegister[0] == -1;
    const int found = indexFor(nameId, !scalarRequest);
    if (found >= 0) {
        const VariableEntry& entry = variableTable[static_cast<std::size_t>(found)];
        if (scalarRequest) return entry.base;
        if (mode == LookupMode::Declare) raise(ErrDuplicateDefinition);
        return elementSlot(entry);
    }
    if (watchEvaluation) return words_.isStringName(nameId) ? ScratchStringSlot : ScratchNumberSlot;
    if (words_.isFunctionName(nameId) && subscriptRegister[0] == 0 && subscriptRegister[1] == -1)
        raise(ErrUndefinedFunction);
    if (variableCount() >= VariableSlots) failHost(HostFailureKind::Other);
    return scalarRequest ? createScalar(nameId) : createArray(nameId, mode);
}

std::int32_t VariableStore::createScalar(int nameId) {
    if (nextFreeSlot >= VariableSpace) raise(ErrOverflow);
    VariableEntry entry;
    entry.nameId = nameId;
    entry.base = nextFreeSlot;
    indexFor(nameId, false) = variableCount();
    variableTable.push_back(entry);
    ++nextFreeSlot;
    valuePool[static_cast<std::size_t>(entry.base)] =
        words_.isStringName(nameId) ? Value::bytes({}) : Value::integer(0);
    return entry.base;
}

std::int32_t VariableStore::createArray(int nameId, LookupMode mode) {
    VariableEntry entry;
    entry.nameId = nameId;
    entry.base = nextFreeSlot;
    std::int64_t size = 1;
    for (int d = 0; d < MaxDimensions; ++d) {
        const std::int32_t subscript = subscriptRegister[static_cast<std::size_t>(d)];
        if (subscript == -1) break;
        if (mode == LookupMode::Reference) {
            if (subscript > ImplicitBound) raise(ErrSubscript);
            entry.bound[static_cast<std::size_t>(d)] = ImplicitBound;
        } else {
            entry.bound[static_cast<std::size_t>(d)] = subscript;
        }
        size *= static_cast<std::int64_t>(entry.bound[static_cast<std::size_t>(d)]) + 1;
        if (size > PoolSlots) size = PoolSlots; // already too large; keeps the product from overflowing
    }
    indexFor(nameId, true) = variableCount();
    variableTable.push_back(entry);
    const std::int64_t end = static_cast<std::int64_t>(nextFreeSlot) + size;
    nextFreeSlot = static_cast<std::int32_t>(end > PoolSlots ? PoolSlots : end);
    if (end > VariableSpace) raise(ErrOverflow);
    const Value initial = words_.isStringName(nameId) ? Value::bytes({}) : Value::integer(0);
    for (std::int64_t slot = entry.base; slot < end; ++slot)
        valuePool[static_cast<std::size_t>(slot)] = initial;
    if (mode == LookupMode::Declare) return entry.base;
    return entry.base + static_cast<std::int32_t>(elementOffset(entry));
}

} // namespace korvelin
