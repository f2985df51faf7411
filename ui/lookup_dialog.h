#pragma once

#include "core/hostent_buffer.h"
#include "core/lookup_requests.h"
#include "core/lookup_view.h"
#include "core/reply_window.h"
#include "ui/window_system/window_services.h"

#include <QDialog>
#include <QIcon>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lookwell {

class DialogTemplate;
class SystemMenu;

// The main window (template 102): host name, the four address fields, the
// command buttons and the Information box. It is the view the lookup logic
// works on and the window the resolver's replies are addressed to.
class LookupDialog : public QDialog, public LookupView, public ReplyWindow {
    Q_OBJECT
public:
    LookupDialog(LookupState& state, Resolver& resolver,
                 WindowServices services = WindowServices::desktop(), QWidget* parent = nullptr);

    void setTitle(const std::string& title) override;
    std::string hostName() const override;
    void setHostName(const std::string& name) override;
    std::string addressField(AddressField field) const override;
    void setAddressField(AddressField field, const std::string& text) override;
    void setClassText(const std::string& text) override;
    void setCountryText(const std::string& text) override;
    void enableToHostName(bool enabled) override;
    void enablePrivateLabel(bool enabled) override;
    void refreshAddressInfo() override;
    void showMessage(unsigned textId, Severity severity) override;
    ReplyWindow& replyWindow() override { return *this; }

    void receiveReply(unsigned message, RequestHandle handle, std::uint32_t lparam) override;

    // A system-menu command; only the low bits beyond 0xF are the command.
    void onSystemCommand(unsigned command);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    using ReplyHandler = std::function<void(std::uint32_t)>;

    void createControls(DialogTemplate& layout);
    void createAddressControls(DialogTemplate& layout);
    void createInformationControls(DialogTemplate& layout);
    void connectHandlers();
    void initialise();

    void onHostNameChanged();
    void onFieldChanged(AddressField field);
    void onClear();
    void onPaste();
    void onCopy();
    void nextControl();
    void onReply(unsigned message, ReplyHandler handler);

    QLineEdit& field(AddressField which) const;
    static void setControlText(QLineEdit& edit, const std::string& text,
                               const std::function<void()>& onChange);

    // The resolver writes its replies here; declared before requests_, which
    // cancels a pending request as it ends, so it outlives every request.
    HostentBuffer buffer_;

    QLineEdit* hostName_ = nullptr;
    QPushButton* toIp_ = nullptr;
    std::array<QLineEdit*, 4> fields_{};
    QPushButton* toHostName_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* paste_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLabel* classBox_ = nullptr;
    QLabel* countryBox_ = nullptr;
    QLabel* privateLabel_ = nullptr;
    QPushButton* close_ = nullptr;

    QIcon icon_;
    WindowServices services_;
    LookupRequests requests_;
    SystemMenu* systemMenu_ = nullptr;
    std::vector<std::pair<unsigned, ReplyHandler>> replyHandlers_;
};

} // namespace lookwell
