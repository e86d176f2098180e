#include "runtime/ClassRecord.h"

#include <algorithm>

namespace platform {

ClassRecord::ClassRecord(std::string name, const ClassRecord* superclass, std::vector<Operation> operations)
    : name_(std::move(name)), superclass_(superclass), operations_(std::move(operations))
{
}

const Operation* ClassRecord::find(std::string_view operationName) const
{
    for (auto it = operations_.rbegin(); it != operations_.rend(); ++it)
        if (it->name == operationName)
            return &*it;
    return nullptr;
}

const Operation* ClassRecord::find(std::string_view operationName, std::string_view signature) const
{
    for (const Operation& op : operations_)
        if (op.name == operationName && op.signature == signature)
            return &op;
    return nullptr;
}

bool ClassRecord::isKindOf(std::string_view className) const
{
    for (const ClassRecord* record = this; record; record = record->superclass())
        if (record->name() == className)
            return true;
    return false;
}

ClassRegistry& ClassRegistry::instance()
{
    static ClassRegistry registry;
    return registry;
}

void ClassRegistry::declare(ClassDefinition definition)
{
    const std::string name = definition.name;
    definitions_.insert_or_assign(name, std::move(definition));
}

bool ClassRegistry::isDeclared(std::string_view name) const { return definitions_.find(name) != definitions_.end(); }

const ClassRecord& ClassRegistry::build(std::string_view name)
{
    if (auto found = records_.find(name); found != records_.end())
        return *found->second;
    const auto definition = definitions_.find(name);
    if (definition == definitions_.end())
        throw RuntimeException("The class \"" + std::string(name) + "\" is not known to the run time.");

    const ClassRecord* superclass = nullptr;
    std::vector<Operation> operations;
    if (!definition->second.superclass.empty()) {
        superclass = &build(definition->second.superclass);
        operations = superclass->operations();
    }
    // An own operation with the name and signature of an inherited one takes its slot;
    // the others follow the inherited ones in their order.
    if (definition->second.ownOperations) {
        for (Operation& own : definition->second.ownOperations()) {
            auto slot = std::find_if(operations.begin(), operations.end(), [&](const Operation& inherited) {
                return inherited.name == own.name && inherited.signature == own.signature;
            });
            if (slot != operations.end() && superclass)
                *slot = std::move(own);
            else
                operations.push_back(std::move(own));
        }
    }
    auto record = std::make_unique<ClassRecord>(std::string(name), superclass, std::move(operations));
    const ClassRecord& built = *record;
    records_.emplace(std::string(name), std::move(record));
    order_.push_back(&built);
    return built;
}

const ClassRecord* ClassRegistry::find(std::string_view name) const
{
    const auto found = records_.find(name);
    return found == records_.end() ? nullptr : found->second.get();
}

const ClassRecord& ClassRegistry::record(std::string_view name) const
{
    if (const ClassRecord* found = find(name))
        return *found;
    throw RuntimeException("The class \"" + std::string(name) + "\" has no class record yet.");
}

void ClassRegistry::clear()
{
    order_.clear();
    records_.clear();
    definitions_.clear();
}

std::string signatureString(const std::vector<std::string_view>& argumentTypes, std::string_view resultType)
{
    std::string signature = "( ";
    for (std::size_t i = 0; i < argumentTypes.size(); ++i) {
        if (i > 0)
            signature += ", ";
        signature += argumentTypes[i];
    }
    signature += " )";
    if (!resultType.empty()) {
        signature += " as ";
        signature += resultType;
    }
    return signature;
}

Operation declaredOnly(std::string name, std::string signature, std::string whyNotOffered, bool hidden)
{
    std::string qualified = name;
    Operation::Body refuse = [qualified, whyNotOffered](Object&, const Arguments&) -> Value {
        throw UnsupportedOperation("\"" + qualified + "\" is not available: " + whyNotOffered);
    };
    return Operation{std::move(name), std::move(signature), std::move(refuse), hidden};
}

Operation operation(std::string name, std::string signature, Operation::Body body, bool hidden)
{
    return Operation{std::move(name), std::move(signature), std::move(body), hidden};
}

} // namespace platform
