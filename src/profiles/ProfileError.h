#pragma once

#include <QString>
#include <stdexcept>

// A profile that breaks its own rules (an "Index" outside its caption list,
// a value list shorter than its caption list). Raised where the broken
// parameter is met, so the user can be told which profile and parameter to
// mend, and the operation stops there.
class ProfileError final : public std::runtime_error
{
public:
    ProfileError(const QString& profilePath, const QString& parameter, const QString& problem)
        : std::runtime_error(problem.toStdString()), m_profilePath(profilePath), m_parameter(parameter),
          m_problem(problem)
    {
    }

    const QString& profilePath() const { return m_profilePath; }
    const QString& parameter() const { return m_parameter; }
    const QString& problem() const { return m_problem; }

private:
    QString m_profilePath;
    QString m_parameter;
    QString m_problem;
};
