#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/FormPage.h"
#include "forms/ResponseMailStore.h"
#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

// A form as the database keeps it: what its page is made of and its fields.
struct StoredForm {
  FormPageProperties page;
  // The fields' page rows (`fieldDescription`) and names, in table order.
  std::vector<std::string> rows;
  std::vector<std::string> fieldNames;
};

// The first form named `name`, read as the form creator's window reads it
// (missing form tables are created first, as the window creates them):
// NotFound when no form has that name, Io with the database's text when the
// tables cannot be read.
Outcome<StoredForm> readStoredForm(Database& database, const std::string& name);

// The form a response intake files the responses for `name` under: its field
// names and whether a form of that name exists. Io when the tables cannot be
// read.
Outcome<ResponseForm> responseFormOf(Database& database, const std::string& name);

// The responses (mails) stored under exactly the form name `name`.
int storedResponseCount(Database& database, const std::string& name);

// What the user is asked before form `name` goes with `responses` responses.
std::string deletionQuestion(const std::string& name, int responses);

// Deletes the first form named `name` with its fields and the responses
// stored under its name, in one transaction, once `confirm` says yes to the
// question that names how many responses go with it: true when deleted,
// false when `confirm` said no; NotFound and Io as `readStoredForm`.
Outcome<bool> deleteStoredForm(Database& database, const std::string& name,
                               const std::function<bool(const std::string& question)>& confirm);

}  // namespace vendaro
