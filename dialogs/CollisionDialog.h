#pragma once

#include "vantor/collision/CollisionInfo.h"

#include <osg/Node>
#include <osg/ref_ptr>

#include <QDialog>
#include <QMetaType>
#include <QString>

#include <list>
#include <memory>
#include <thread>

class CollisionCancelDialog;
class MyCollisionCallback;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;
class QTableWidget;
class SceneView;

Q_DECLARE_METATYPE(std::list<Vantor::CollisionInfo>)

// The interference check: two object lists filled from the 3D selection, a mode (object 1 against
// object 2, object 1 against the whole model, the selected objects among themselves) and a detection
// type (collision, optionally with contact, or a clearance). The check runs on a worker thread the
// dialog owns; its results fill the main window's collision table, and a clicked row is shown in 3D.
class CollisionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CollisionDialog(QWidget* parent = nullptr);
    ~CollisionDialog() override;

    void setSceneView(SceneView* view) { m_SceneView = view; }
    SceneView* sceneView() const { return m_SceneView; }
    void setResultTable(QTableWidget* table) { m_resultTable = table; }
    QTableWidget* resultTable() const { return m_resultTable; }

    // Empties both object lists and their tables (columns "Name" and "Type").
    void resetObjectLists();
    // Shows one result in the 3D view; rows outside the results do nothing.
    void showCollisionInfo(int row);
    // Takes a run's results and shows them in the result table.
    void refreshResults(std::shared_ptr<const Vantor::CollisionInfoList> results);

    // The number of the latest check; calls of earlier checks are dropped against it.
    int currentRun() const { return m_run; }
    // A check runs (its worker has not been joined yet).
    bool isRunning() const { return m_running; }
    // Stops the running check, if any, and waits for its worker.
    void stopAndWait();

    const std::list<osg::ref_ptr<osg::Node>>& objectList1() const { return m_objectList1; }
    const std::list<osg::ref_ptr<osg::Node>>& objectList2() const { return m_objectList2; }
    const std::list<Vantor::CollisionInfo>& results() const { return m_results; }
    float tolerance() const { return m_tolerance; }
    int mode() const { return m_mode; }
    CollisionCancelDialog* progressDialog() const { return m_cancelDialog; }
    std::shared_ptr<MyCollisionCallback> callback() const { return m_callback; }

    // The text of the first column for a result.
    static QString typeText(const Vantor::CollisionInfo& info);

    // The form's controls.
    QComboBox* modeSelector() const { return m_modeSelector; }
    QPushButton* buttonOneAdd() const { return m_buttonOneAdd; }
    QPushButton* buttonOneDelete() const { return m_buttonOneDelete; }
    QPushButton* buttonTwoAdd() const { return m_buttonTwoAdd; }
    QPushButton* buttonTwoDelete() const { return m_buttonTwoDelete; }
    QTableView* tableOne() const { return m_tableOne; }
    QTableView* tableTwo() const { return m_tableTwo; }
    QButtonGroup* detectionType() const { return m_detectionType; }
    QCheckBox* contactOption() const { return m_contactOption; }
    QSpinBox* clearance() const { return m_clearance; }
    QPushButton* computeButton() const { return m_computeButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

signals:
    void collisonMessage(std::list<Vantor::CollisionInfo> results);
    void updateProcess(int value);
    void hideCancelDialog();
    void UpdateCollisonPair(QString first, QString second);
    void CollisionComputed();

public slots:
    void on_ButtonOneAdd_checked();
    void on_ButtonOnedelete_checked();
    void on_ButtonTwoAdd_checked();
    void on_ButtonTwodelete_checked();
    void on_ButtonCompute_checked();
    void on_Buttoncancel_checked();
    void on_ComboboxIndex_Changed(int index);

protected:
    // The callback of a new check; tests put their own in.
    virtual std::shared_ptr<MyCollisionCallback> makeCallback(int run);

private:
    using NodeList = std::list<osg::ref_ptr<osg::Node>>;

    void setupForm();
    void addSelection(NodeList& list, QStandardItemModel* rows, int listNumber);
    void deleteSelected(NodeList& list, QStandardItemModel* rows, QTableView* table);
    static void fillRows(QStandardItemModel* rows, const NodeList& list);
    bool startWorker();
    void finishRun();
    void setupResultTable();
    void appendResultRow(const Vantor::CollisionInfo& info);

    CollisionCancelDialog* m_cancelDialog = nullptr;
    SceneView* m_SceneView = nullptr;
    QComboBox* m_modeSelector = nullptr;
    QPushButton* m_buttonOneAdd = nullptr;
    QPushButton* m_buttonOneDelete = nullptr;
    QPushButton* m_buttonTwoAdd = nullptr;
    QPushButton* m_buttonTwoDelete = nullptr;
    QStandardItemModel* m_rowsOne = nullptr;
    QStandardItemModel* m_rowsTwo = nullptr;
    QTableView* m_tableOne = nullptr;
    QTableView* m_tableTwo = nullptr;
    QTableWidget* m_resultTable = nullptr;
    QButtonGroup* m_detectionType = nullptr;
    QCheckBox* m_contactOption = nullptr;
    QSpinBox* m_clearance = nullptr;
    QPushButton* m_computeButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    NodeList m_objectList1;
    NodeList m_objectList2;
    std::list<Vantor::CollisionInfo> m_results;
    int m_mode = 0;
    float m_tolerance = 1.0f;
    bool m_decoratorOption = false;
    std::shared_ptr<MyCollisionCallback> m_callback;

    std::thread m_worker;
    bool m_running = false;
    int m_run = 0;
    // The result table holds the rows of m_results (not the "none" row), so a longer list of the
    // same run only appends.
    bool m_tableHoldsResults = false;
};
