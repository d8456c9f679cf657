#include "frame/job_identity_commands.h"

#include "frame/driver_comment_writer.h"
#include "pjl/job_identity.h"
#include "pjl/pjl_encoding.h"
#include "settings/system_queries.h"

namespace xlrender {
namespace {

constexpr WCHAR kBornOnDateFeature[] = W("KZBornOnDate");
constexpr WCHAR kBornOnDateOption[] = W("KZBOD");
constexpr WCHAR kUserNameFeature[] = W("KZJobByJobOverride");
constexpr WCHAR kUserNameOption[] = W("JBJO");

// UserNameMode values.
constexpr DWORD kUserNameAlways = 0;
constexpr DWORD kUserNameWithoutJobStorage = 1;

void WriteJobAccounting(const CommandContext& context, DWORD mode) {
    const CurrentJobInfo job(context);
    WCHAR domain[kLogonDomainUnits];
    if (job.get() == nullptr || !GetLogonDomain(domain)) {
        return;
    }
    PjlLines block;
    const JobAccountingInputs inputs{job->pUserName, job->pMachineName, domain, job->Submitted};
    if (BuildJobAccountingBlock(mode, inputs, block)) {
        WritePjlLines(context, block);
    }
}

}  // namespace

void WriteJobStart(const CommandContext& context) {
    const DWORD mode = context.settings().JobAccountingKind;
    const DWORD encoding = context.settings().PjlEncodingKind;
    if (mode != kJobAccountingOff) {
        PjlLines lines;
        if (UsesUtf8StringCodeSet(encoding)) {
            AppendStringCodeSetLine(lines);
        }
        AppendJobNameLine(lines, context.pdev.DocName, kDocNameUnits, encoding);
        WritePjlLines(context, lines);
    }
    WriteDriverComment(context);
    if (mode != kJobAccountingOff) {
        WriteJobAccounting(context, mode);
    }
}

void WriteDeviceManagementDate(const CommandContext& context) {
    if (!FeatureReading(context.features(), kBornOnDateFeature).Is(kBornOnDateOption)) {
        return;
    }
    const CurrentJobInfo job(context);
    PjlLines lines;
    if (job.get() != nullptr && AppendDeviceManagementDateLine(lines, job->Submitted)) {
        WritePjlLines(context, lines);
    }
}

void WriteJobUserName(const CommandContext& context) {
    if (!FeatureReading(context.features(), kUserNameFeature).Is(kUserNameOption)) {
        return;
    }
    const DWORD mode = context.devmode.UserNameMode;
    const bool wanted = mode == kUserNameAlways ||
                        (mode == kUserNameWithoutJobStorage && context.devmode.JobStorageMode == 0);
    if (!wanted) {
        return;
    }
    const CurrentJobInfo job(context);
    const JobStorageUserNameText storageName(context.pdev);
    const WCHAR* name = job.get() != nullptr ? job->pUserName : storageName.text;
    PjlLines lines;
    if (AppendUserNameLine(lines, name)) {
        WritePjlLines(context, lines);
    }
}

void WriteManualDuplex(const CommandContext& context) {
    if (!ManualDuplexInForce(context)) {
        return;
    }
    PjlLines lines;
    if (AppendManualDuplexLine(lines)) {
        WritePjlLines(context, lines);
    }
}

}  // namespace xlrender
