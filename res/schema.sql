-- The database of 汀岑进销存. Every value column is text, stored exactly as
-- the program writes it ("%.2lf" amounts, "%04d-%02d-%02d" dates, amounts as
-- typed where the user typed them). RowNo keeps insertion order, which the
-- lists rely on; rows are otherwise found by GUID or by name.

-- Clients and providers -----------------------------------------------------

CREATE TABLE tbl_clientmgr (
    RowNo INTEGER PRIMARY KEY,
    ClientName TEXT NOT NULL DEFAULT '',
    Loan TEXT NOT NULL DEFAULT '',
    ContactName TEXT NOT NULL DEFAULT '',
    ClientArea TEXT NOT NULL DEFAULT '',
    Tel TEXT NOT NULL DEFAULT '',
    Mobile TEXT NOT NULL DEFAULT '',
    Fax TEXT NOT NULL DEFAULT '',
    Web TEXT NOT NULL DEFAULT '',
    Email TEXT NOT NULL DEFAULT '',
    QQ TEXT NOT NULL DEFAULT '',
    Address TEXT NOT NULL DEFAULT '',
    Remark TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL,
    BeginArrears TEXT NOT NULL DEFAULT '',
    ProductPriceSum TEXT NOT NULL DEFAULT '0',
    PayoutIncome TEXT NOT NULL DEFAULT '0',
    SumIncome TEXT NOT NULL DEFAULT '0',
    ClientSumArrears TEXT NOT NULL DEFAULT '0'
);
CREATE UNIQUE INDEX ix_clientmgr_guid ON tbl_clientmgr (GUID);
CREATE INDEX ix_clientmgr_name ON tbl_clientmgr (ClientName);

CREATE TABLE tbl_ProviderMgr (
    RowNo INTEGER PRIMARY KEY,
    ProviderName TEXT NOT NULL DEFAULT '',
    Loan TEXT NOT NULL DEFAULT '',
    ContactName TEXT NOT NULL DEFAULT '',
    ProviderArea TEXT NOT NULL DEFAULT '',
    Tel TEXT NOT NULL DEFAULT '',
    Mobile TEXT NOT NULL DEFAULT '',
    Fax TEXT NOT NULL DEFAULT '',
    Web TEXT NOT NULL DEFAULT '',
    Email TEXT NOT NULL DEFAULT '',
    QQ TEXT NOT NULL DEFAULT '',
    Address TEXT NOT NULL DEFAULT '',
    Remark TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL,
    BeginArrears TEXT NOT NULL DEFAULT '',
    ProductPriceSum TEXT NOT NULL DEFAULT '0',
    PayoutIncome TEXT NOT NULL DEFAULT '0',
    SumIncome TEXT NOT NULL DEFAULT '0',
    ClientSumArrears TEXT NOT NULL DEFAULT '0'
);
CREATE UNIQUE INDEX ix_providermgr_guid ON tbl_ProviderMgr (GUID);
CREATE INDEX ix_providermgr_name ON tbl_ProviderMgr (ProviderName);

-- Products and price lists ----------------------------------------------------

CREATE TABLE tbl_StoreMgr (
    RowNo INTEGER PRIMARY KEY,
    ProductCode TEXT NOT NULL DEFAULT '',
    ProductName TEXT NOT NULL DEFAULT '',
    ProductSpec TEXT NOT NULL DEFAULT '',
    ProductUnit TEXT NOT NULL DEFAULT '',
    StockUnitPrice TEXT NOT NULL DEFAULT '',
    ShipmentUnitPrice TEXT NOT NULL DEFAULT '',
    PromptCount TEXT NOT NULL DEFAULT '',
    ProductRemark TEXT NOT NULL DEFAULT '',
    ProductStockCount TEXT NOT NULL DEFAULT '0',
    GUID TEXT NOT NULL
);
CREATE UNIQUE INDEX ix_storemgr_guid ON tbl_StoreMgr (GUID);
-- The stock update and the product pickers find products by these.
CREATE INDEX ix_storemgr_product ON tbl_StoreMgr (ProductName, ProductSpec, ProductCode);

CREATE TABLE tbl_ClientPriceList (
    RowNo INTEGER PRIMARY KEY,
    ClientName TEXT NOT NULL DEFAULT '',
    ProductCode TEXT NOT NULL DEFAULT '',
    ProductName TEXT NOT NULL DEFAULT '',
    ProductSpec TEXT NOT NULL DEFAULT '',
    ProductUnit TEXT NOT NULL DEFAULT '',
    ShipmentUnitPrice TEXT NOT NULL DEFAULT '',
    ProductRemark TEXT NOT NULL DEFAULT '',
    StockUnitPrice TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL
);
CREATE INDEX ix_clientpricelist_key ON tbl_ClientPriceList (ClientName, ProductName, ProductSpec);

CREATE TABLE tbl_ProviderPriceList (
    RowNo INTEGER PRIMARY KEY,
    ProviderName TEXT NOT NULL DEFAULT '',
    ProductCode TEXT NOT NULL DEFAULT '',
    ProductName TEXT NOT NULL DEFAULT '',
    ProductSpec TEXT NOT NULL DEFAULT '',
    ProductUnit TEXT NOT NULL DEFAULT '',
    ShipmentUnitPrice TEXT NOT NULL DEFAULT '',
    ProductRemark TEXT NOT NULL DEFAULT '',
    StockUnitPrice TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL
);
CREATE INDEX ix_providerpricelist_key ON tbl_ProviderPriceList (ProviderName, ProductName, ProductSpec);

-- Goods bills: one row per bill line; the lines of a bill share its GUID ----

CREATE TABLE tbl_GoodsBill_shipment (
    RowNo INTEGER PRIMARY KEY,
    BillRemark TEXT NOT NULL DEFAULT '',
    Imprest TEXT NOT NULL DEFAULT '0',
    AccountName TEXT NOT NULL DEFAULT '',
    IncomeType TEXT NOT NULL DEFAULT '',
    FundType TEXT NOT NULL DEFAULT '',
    voucher TEXT NOT NULL DEFAULT '',
    SellerName TEXT NOT NULL DEFAULT '',
    CompanyName TEXT NOT NULL DEFAULT '',
    BillCode TEXT NOT NULL DEFAULT '',
    CapMoney TEXT NOT NULL DEFAULT '',
    SumMoney TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL,
    EnableImprest TEXT NOT NULL DEFAULT '',
    BillType TEXT NOT NULL DEFAULT '',
    ImprestBillGuid TEXT NOT NULL DEFAULT '',
    InputDate TEXT NOT NULL DEFAULT '',
    ProductCode TEXT NOT NULL DEFAULT '',
    ProductName TEXT NOT NULL DEFAULT '',
    ProductSpec TEXT NOT NULL DEFAULT '',
    ProductUnit TEXT NOT NULL DEFAULT '',
    ProductAmount TEXT NOT NULL DEFAULT '',
    ProductUnitPrice TEXT NOT NULL DEFAULT '',
    ProductPrice TEXT NOT NULL DEFAULT '',
    ProductRemark TEXT NOT NULL DEFAULT ''
);
CREATE INDEX ix_goodsbill_guid ON tbl_GoodsBill_shipment (GUID);
CREATE INDEX ix_goodsbill_date ON tbl_GoodsBill_shipment (InputDate, GUID);
CREATE INDEX ix_goodsbill_company ON tbl_GoodsBill_shipment (CompanyName, InputDate);
-- The product sums read this index alone: the bill type, count and amount
-- stand beside the product key and the date.
CREATE INDEX ix_goodsbill_product ON tbl_GoodsBill_shipment (ProductName, ProductCode, ProductSpec, InputDate, BillType, ProductAmount, ProductPrice);
CREATE INDEX ix_goodsbill_account ON tbl_GoodsBill_shipment (AccountName, EnableImprest);
CREATE INDEX ix_goodsbill_code ON tbl_GoodsBill_shipment (BillCode);
-- The party figures count each bill of a party once, by the total its
-- lines repeat: this index holds all they read, in bill order.
CREATE INDEX ix_goodsbill_company_bill ON tbl_GoodsBill_shipment (CompanyName, GUID, InputDate, BillType, SumMoney);

CREATE TABLE tbl_goodsbill_shipment_provider (
    RowNo INTEGER PRIMARY KEY,
    BillRemark TEXT NOT NULL DEFAULT '',
    Imprest TEXT NOT NULL DEFAULT '0',
    AccountName TEXT NOT NULL DEFAULT '',
    IncomeType TEXT NOT NULL DEFAULT '',
    FundType TEXT NOT NULL DEFAULT '',
    voucher TEXT NOT NULL DEFAULT '',
    SellerName TEXT NOT NULL DEFAULT '',
    CompanyName TEXT NOT NULL DEFAULT '',
    BillCode TEXT NOT NULL DEFAULT '',
    CapMoney TEXT NOT NULL DEFAULT '',
    SumMoney TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL,
    EnableImprest TEXT NOT NULL DEFAULT '',
    ImprestBillGuid TEXT NOT NULL DEFAULT '',
    BillType TEXT NOT NULL DEFAULT '',
    InputDate TEXT NOT NULL DEFAULT '',
    ProductCode TEXT NOT NULL DEFAULT '',
    ProductName TEXT NOT NULL DEFAULT '',
    ProductSpec TEXT NOT NULL DEFAULT '',
    ProductUnit TEXT NOT NULL DEFAULT '',
    ProductAmount TEXT NOT NULL DEFAULT '',
    ProductUnitPrice TEXT NOT NULL DEFAULT '',
    ProductPrice TEXT NOT NULL DEFAULT '',
    ProductRemark TEXT NOT NULL DEFAULT ''
);
CREATE INDEX ix_goodsbillprov_guid ON tbl_goodsbill_shipment_provider (GUID);
CREATE INDEX ix_goodsbillprov_date ON tbl_goodsbill_shipment_provider (InputDate, GUID);
CREATE INDEX ix_goodsbillprov_company ON tbl_goodsbill_shipment_provider (CompanyName, InputDate);
CREATE INDEX ix_goodsbillprov_product ON tbl_goodsbill_shipment_provider (ProductName, ProductCode, ProductSpec, InputDate, BillType, ProductAmount, ProductPrice);
CREATE INDEX ix_goodsbillprov_code ON tbl_goodsbill_shipment_provider (BillCode);
CREATE INDEX ix_goodsbillprov_company_bill ON tbl_goodsbill_shipment_provider (CompanyName, GUID, InputDate, BillType, SumMoney);

-- Finance bills: one row per bill --------------------------------------------

CREATE TABLE tbl_FinanceBill_income (
    RowNo INTEGER PRIMARY KEY,
    BillCode TEXT NOT NULL DEFAULT '',
    AccountName TEXT NOT NULL DEFAULT '',
    InputDate TEXT NOT NULL DEFAULT '',
    ClientName TEXT NOT NULL DEFAULT '',
    MoneyCount TEXT NOT NULL DEFAULT '',
    IncomeType TEXT NOT NULL DEFAULT '',
    MoneyType TEXT NOT NULL DEFAULT '',
    Voucher TEXT NOT NULL DEFAULT '',
    SellerName TEXT NOT NULL DEFAULT '',
    BillRemark TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL,
    BillType TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ix_finance_guid ON tbl_FinanceBill_income (GUID);
CREATE INDEX ix_finance_date ON tbl_FinanceBill_income (InputDate);
CREATE INDEX ix_finance_account ON tbl_FinanceBill_income (AccountName, InputDate);
CREATE INDEX ix_finance_client ON tbl_FinanceBill_income (ClientName, InputDate);

CREATE TABLE tbl_FinanceBill_income_provider (
    RowNo INTEGER PRIMARY KEY,
    BillCode TEXT NOT NULL DEFAULT '',
    AccountName TEXT NOT NULL DEFAULT '',
    InputDate TEXT NOT NULL DEFAULT '',
    ClientName TEXT NOT NULL DEFAULT '',
    MoneyCount TEXT NOT NULL DEFAULT '',
    IncomeType TEXT NOT NULL DEFAULT '',
    MoneyType TEXT NOT NULL DEFAULT '',
    Voucher TEXT NOT NULL DEFAULT '',
    SellerName TEXT NOT NULL DEFAULT '',
    BillRemark TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL,
    BillType TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ix_financeprov_guid ON tbl_FinanceBill_income_provider (GUID);
CREATE INDEX ix_financeprov_date ON tbl_FinanceBill_income_provider (InputDate);
CREATE INDEX ix_financeprov_account ON tbl_FinanceBill_income_provider (AccountName, InputDate);
CREATE INDEX ix_financeprov_client ON tbl_FinanceBill_income_provider (ClientName, InputDate);

CREATE TABLE tbl_AccountMgr (
    RowNo INTEGER PRIMARY KEY,
    AccountName TEXT NOT NULL DEFAULT '',
    AccountBalance TEXT NOT NULL DEFAULT '0',
    MonthBalance TEXT NOT NULL DEFAULT '0',
    GUID TEXT NOT NULL
);
CREATE UNIQUE INDEX ix_accountmgr_guid ON tbl_AccountMgr (GUID);
CREATE INDEX ix_accountmgr_name ON tbl_AccountMgr (AccountName);

-- The receivables and payables register: read by the month statement only.
CREATE TABLE tbl_RevAccount (
    RowNo INTEGER PRIMARY KEY,
    InputDate TEXT,
    ClientName TEXT,
    MoneyCount TEXT,
    Remark TEXT,
    GUID TEXT,
    RevPayType TEXT,
    StatusTag TEXT
);
CREATE INDEX ix_revaccount_client ON tbl_RevAccount (ClientName, InputDate);

-- Parameters, passwords and options -------------------------------------------

CREATE TABLE tbl_IncomePayType (
    RowNo INTEGER PRIMARY KEY,
    IncomeTypeName TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL
);
CREATE UNIQUE INDEX ix_incomepaytype_guid ON tbl_IncomePayType (GUID);

CREATE TABLE tbl_MoneyType (
    RowNo INTEGER PRIMARY KEY,
    MoneyType TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL
);
CREATE UNIQUE INDEX ix_moneytype_guid ON tbl_MoneyType (GUID);

CREATE TABLE tbl_Voucher (
    RowNo INTEGER PRIMARY KEY,
    VoucherName TEXT NOT NULL DEFAULT '',
    GUID TEXT NOT NULL
);
CREATE UNIQUE INDEX ix_voucher_guid ON tbl_Voucher (GUID);

CREATE TABLE tbl_UserPassword (
    RowNo INTEGER PRIMARY KEY,
    UserType TEXT NOT NULL,
    LoginPassword TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ix_userpassword_type ON tbl_UserPassword (UserType);

CREATE TABLE tbl_AccessTypePassword (
    RowNo INTEGER PRIMARY KEY,
    AccessType TEXT NOT NULL,
    AccessPassword TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ix_accesstypepassword_type ON tbl_AccessTypePassword (AccessType);

CREATE TABLE tbl_MiscOption (
    RowNo INTEGER PRIMARY KEY,
    OptionName TEXT NOT NULL,
    OptionValue TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ix_miscoption_name ON tbl_MiscOption (OptionName);

-- The rows a new shop starts with ---------------------------------------------

-- A fresh key in the program's GUID form (third group lower-case).
CREATE TEMP VIEW new_guid AS SELECT
    hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-' || lower(hex(randomblob(2))) || '-' ||
    hex(randomblob(2)) || '-' || hex(randomblob(6)) AS g;

-- Empty passwords: the first login needs none and the menu shows so.
INSERT INTO tbl_UserPassword (UserType, LoginPassword) VALUES ('财务主管', ''), ('管理员', '');
INSERT INTO tbl_AccessTypePassword (AccessType, AccessPassword) VALUES ('资料修改密码', '');
INSERT INTO tbl_MiscOption (OptionName, OptionValue) VALUES ('退货单打印格式设置', '不含订金');

-- Bills cannot be saved while any of these lists is empty.
INSERT INTO tbl_IncomePayType (IncomeTypeName, GUID) SELECT '货款', g FROM new_guid;
INSERT INTO tbl_IncomePayType (IncomeTypeName, GUID) SELECT '其它', g FROM new_guid;
INSERT INTO tbl_MoneyType (MoneyType, GUID) SELECT '现金', g FROM new_guid;
INSERT INTO tbl_MoneyType (MoneyType, GUID) SELECT '转账', g FROM new_guid;
INSERT INTO tbl_Voucher (VoucherName, GUID) SELECT '收据', g FROM new_guid;
INSERT INTO tbl_Voucher (VoucherName, GUID) SELECT '发票', g FROM new_guid;
INSERT INTO tbl_AccountMgr (AccountName, AccountBalance, MonthBalance, GUID) SELECT '现金', '0', '0', g FROM new_guid;

DROP VIEW new_guid;
