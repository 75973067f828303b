#include "platform/SecretStore.h"

#include <qt6keychain/keychain.h>

namespace vesk::platform {

namespace {

// The service name the secret service files Vesk's secrets under.
const QString service = QStringLiteral("app.vesk.Vesk");

// Starts the job, which deletes itself once `finished` has seen it.
template <typename Job, typename Finished>
void run(Job* job, const std::string& name, Finished finished) {
    job->setKey(QString::fromStdString(name));
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [job, finished = std::move(finished)] { finished(*job); });
    job->start();
}

std::string failure(const QKeychain::Job& job) {
    return job.errorString().toStdString();
}

} // namespace

void readSecret(const std::string& name, SecretDone done) {
    run(new QKeychain::ReadPasswordJob(service), name,
        [done = std::move(done)](const QKeychain::ReadPasswordJob& job) {
            switch (job.error()) {
            case QKeychain::NoError:
                done({job.textData().toStdString(), {}});
                break;
            case QKeychain::EntryNotFound:
                done({});
                break;
            default:
                done({{}, failure(job)});
                break;
            }
        });
}

void writeSecret(const std::string& name, const std::string& secret, SecretDone done) {
    if (secret.empty()) {
        // Nothing kept is as good as removed.
        run(new QKeychain::DeletePasswordJob(service), name,
            [done = std::move(done)](const QKeychain::DeletePasswordJob& job) {
                const bool gone =
                    job.error() == QKeychain::NoError || job.error() == QKeychain::EntryNotFound;
                done({{}, gone ? std::string() : failure(job)});
            });
        return;
    }
    auto* job = new QKeychain::WritePasswordJob(service);
    job->setTextData(QString::fromStdString(secret));
    run(job, name, [done = std::move(done)](const QKeychain::WritePasswordJob& written) {
        done({{}, written.error() == QKeychain::NoError ? std::string() : failure(written)});
    });
}

} // namespace vesk::platform
